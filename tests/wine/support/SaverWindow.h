// The saver window in-process, as its tests share it: a fixture that starts every test from a
// clean registry and desktop and creates the saver as the program does, with the helpers
// that drive it (keys, typing, clicks) and watch it (the messages its window receives).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Unit1.h"
#include "wine/support/ApplicationPump.h"
#include "wine/support/ImportHook.h"
#include "wine/support/WindowFacts.h"
#include "wine/support/WineTestSupport.h"

namespace testsupport {

inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr LPARAM kKeyA = 0x001E0001; // repeat count 1, scan code of A

// Counts the messages that reach the saver window's procedure, by subclassing the window.
class WindowRecorder {
  public:
    explicit WindowRecorder(HWND window) : window_(window) {
        self_ = this;
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowRecorder::Proc)));
    }
    ~WindowRecorder() {
        if (IsWindow(window_))
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        self_ = nullptr;
    }
    WindowRecorder(const WindowRecorder&) = delete;
    WindowRecorder& operator=(const WindowRecorder&) = delete;

    int Count(UINT message) const {
        return static_cast<int>(std::count(received_.begin(), received_.end(), message));
    }

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (self_) self_->received_.push_back(message);
        return CallWindowProcA(self_ ? self_->original_ : DefWindowProcA, window, message, wParam, lParam);
    }
    static inline WindowRecorder* self_ = nullptr;
    HWND window_;
    WNDPROC original_ = nullptr;
    std::vector<UINT> received_;
};

// Runs an action once, after `delayMs`, inside whatever message loop runs then (a modal box's
// one included). One at a time.
class RunLater {
  public:
    RunLater(DWORD delayMs, std::function<void()> action) {
        action_ = std::move(action);
        timer_ = SetTimer(nullptr, 0, delayMs, Proc);
    }
    ~RunLater() {
        KillTimer(nullptr, timer_);
        action_ = nullptr;
    }
    RunLater(const RunLater&) = delete;
    RunLater& operator=(const RunLater&) = delete;

  private:
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (!action_) return;
        const std::function<void()> action = std::move(action_);
        action_ = nullptr;
        action();
    }
    static inline std::function<void()> action_;
    UINT_PTR timer_ = 0;
};

// The pointer confinement the saver asked for last (empty when released). Wine does not keep a
// confinement, so the fixture records the saver's ClipCursor calls here.
inline RECT SaverClipRect = {};
inline BOOL(WINAPI* SystemClipCursor)(const RECT*) = nullptr;
inline BOOL WINAPI RecordClipCursor(const RECT* area) {
    SaverClipRect = area ? *area : RECT{};
    return SystemClipCursor(area);
}

class SaverWindow : public ::testing::Test {
  protected:
    SaverWindow() { SystemClipCursor = reinterpret_cast<BOOL(WINAPI*)(const RECT*)>(clipHook_.Original()); }

    void SetUp() override {
        tk::Application.Initialize();
        tk::Application.SetTitle("Tavrin");
        DeleteProductKey();
        SetUsePassword(0);
        ClearSaverFlag();
        ShowTaskbar();
        ClipCursor(nullptr);
        // The unit's variables as at process start.
        SaverSettings = {};
        SaverInputWatch = {};
        SaverClipRect = {};
        ASSERT_TRUE(TaskbarVisible())
            << "the test session must run Wine's \"shell\" desktop, which has a taskbar";
        ASSERT_FALSE(SaverFlag());
    }

    void TearDown() override {
        tk::Application.ResetForTests();
        tk::SystemMetric = [](int index) { return GetSystemMetrics(index); };
        ClipCursor(nullptr);
        ClearSaverFlag();
        ShowTaskbar();
        DeleteProductKey();
        SetUsePassword(0);
    }

  public:
    // Creates the saver as the program does and lets it settle: its first paint, and the mouse
    // move Wine sends a few milliseconds after a window shows under the pointer, which would
    // otherwise reach the input watch in the middle of a test.
    static TFormScreenSaver* Start() {
        auto* form = tk::Application.CreateForm<TFormScreenSaver>();
        PumpApplicationPast(WM_MOUSEMOVE, 1000);
        return form;
    }

    // Pressing a key, as far as the input watch can tell.
    static void PostKey(TFormScreenSaver* form, WPARAM key = 'A') {
        PostMessageA(form->Handle(), WM_KEYDOWN, key, kKeyA);
        PumpApplicationUntilIdle();
    }

    static void Type(tk::TControl* edit, const std::string& text) {
        for (char c : text)
            SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    static void Click(tk::TControl* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }

    static void ExpectDesktopGivenBack() {
        EXPECT_FALSE(SaverFlag()) << "the screen-saver flag must be cleared";
        EXPECT_TRUE(TaskbarVisible()) << "the taskbar must be shown again";
        EXPECT_TRUE(SameRect(SaverClipRect, RECT{})) << "the pointer must be released";
    }

  private:
    ImportHook clipHook_{"user32.dll", "ClipCursor", reinterpret_cast<void*>(RecordClipCursor)};
};

} // namespace testsupport
