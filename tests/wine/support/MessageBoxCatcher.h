// Reads and dismisses the message boxes that the code under test opens on this thread.
//
// A message box runs its own modal loop, so a test cannot look at it after the call that opened
// it. A catcher arms a thread timer; the timer's procedure runs inside the box's loop, records
// the box (caption, text, icon, buttons, screen rectangle) and presses one of its buttons.
//
//   MessageBoxCatcher catcher;           // armed until destroyed
//   button->Click();                     // opens a box and returns once it was pressed
//   ASSERT_EQ(catcher.Boxes().size(), 1u);
//   EXPECT_EQ(catcher.Boxes()[0].text, "...");
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class MessageBoxCatcher {
  public:
    struct Box {
        std::string caption;
        std::string text;
        std::vector<std::string> buttons; // captions, in creation order
        HICON icon = nullptr;             // the icon shown, nullptr for none
        RECT rect = {};                   // screen coordinates
        HWND owner = nullptr;
    };

    // `press` names the button to press; empty: the first one.
    explicit MessageBoxCatcher(std::string press = {}, UINT periodMs = 50) : press_(std::move(press)) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, periodMs, &MessageBoxCatcher::Tick);
    }
    ~MessageBoxCatcher() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<Box>& Boxes() const { return boxes_; }

  private:
    static MessageBoxCatcher*& Current() {
        static MessageBoxCatcher* current = nullptr;
        return current;
    }

    static std::string TextOf(HWND window) {
        char text[1024] = {};
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    static bool HasClass(HWND window, const char* name) {
        char className[64] = {};
        GetClassNameA(window, className, sizeof(className));
        return lstrcmpiA(className, name) == 0;
    }

    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        if (!IsWindowVisible(window) || !HasClass(window, "#32770")) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    struct Children {
        std::vector<HWND> buttons;
        HICON icon = nullptr;
    };

    static BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
        auto* children = reinterpret_cast<Children*>(param);
        if (HasClass(child, "Button") && IsWindowVisible(child)) children->buttons.push_back(child);
        if (HasClass(child, "Static") && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            children->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MessageBoxCatcher* self = Current();
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
        // A box already pressed may still be there until it handles the posted command.
        if (!self || !box || box == self->pressed_) return;
        Box seen;
        seen.caption = TextOf(box);
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)); // the message text's static control
        seen.text = text;
        GetWindowRect(box, &seen.rect);
        seen.owner = GetWindow(box, GW_OWNER);
        Children children;
        EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
        seen.icon = children.icon;
        HWND press = children.buttons.empty() ? nullptr : children.buttons.front();
        for (HWND button : children.buttons) {
            seen.buttons.push_back(TextOf(button));
            if (!self->press_.empty() && TextOf(button) == self->press_) press = button;
        }
        self->boxes_.push_back(seen);
        // Posted, so the box ends its loop after this procedure has returned.
        if (!press) return;
        self->pressed_ = box;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(press), BN_CLICKED),
                     reinterpret_cast<LPARAM>(press));
    }

    std::string press_;
    UINT_PTR timer_ = 0;
    HWND pressed_ = nullptr;
    std::vector<Box> boxes_;
};

// The boxes caught so far, for a failure message.
inline std::string Describe(const MessageBoxCatcher& catcher) {
    std::string out;
    for (const auto& box : catcher.Boxes())
        out += "[" + box.caption + ": " + box.text + "] ";
    return out.empty() ? "no box" : out;
}

} // namespace testsupport
