// Helpers for the in-process tests under Wine: pumping messages for a while, the saver's
// registry values, the system state the saver changes (screen-saver flag, taskbar), and
// reading pixels back from a window or a picture.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Vista's; the tests see the headers as the program's oldest target has them.
extern "C" LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);

namespace testsupport {

// ---- messages -------------------------------------------------------------------------------

// Handles one queued message the way a plain message loop does; false when the queue is empty.
inline bool DispatchOne() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

// Handles messages with `handleOne` (which returns false when the queue is empty) until
// `done` is true or `timeoutMs` has passed; returns whether `done` became true. Between
// messages it waits for input instead of spinning.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs,
                      const std::function<bool()>& handleOne = DispatchOne) {
    const DWORD start = GetTickCount();
    for (;;) {
        while (handleOne()) {
            if (done && done()) return true;
            if (GetTickCount() - start >= timeoutMs) return false;
        }
        if (done && done()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

// Handles messages for `ms` milliseconds: only for a test that shows something does NOT happen
// within a time; anything else waits for its condition.
inline void PumpFor(DWORD ms, const std::function<bool()>& handleOne = DispatchOne) {
    PumpUntil({}, ms, handleOne);
}

inline bool QueueEmpty() {
    MSG next;
    return !PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE);
}

// Handles messages until the queue is empty: by then the messages posted so far, and what they
// set off on this thread (a repaint, a quit request), have run.
inline bool PumpUntilIdle(const std::function<bool()>& handleOne = DispatchOne, DWORD timeoutMs = 2000) {
    return PumpUntil(QueueEmpty, timeoutMs, handleOne);
}

// ---- registry -------------------------------------------------------------------------------

inline constexpr char kProductKey[] = "Software\\Quillam\\Tavrin";
inline constexpr char kDesktopKey[] = "Control Panel\\desktop";
inline constexpr char kUsePasswordValue[] = "ScreenSaveUsePassword";

// A value as stored: its type and bytes.
struct RegValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RegValue&) const = default;
};
using RegValues = std::map<std::string, RegValue>; // a whole key, by value name

// A string as the program stores it: its characters, and on Windows 95, 98 and ME the zero byte
// that family stores a string through to.
inline RegValue ProgramString(std::string_view text) {
    std::string bytes(text);
    if (GetVersion() & 0x80000000u) bytes += '\0';
    return {REG_SZ, bytes};
}

class RegKey {
  public:
    RegKey() = default;
    // Opens (creating it when needed) a key under HKEY_CURRENT_USER.
    static RegKey Create(const char* path) {
        RegKey key;
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key.key_, nullptr);
        return key;
    }
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

    bool Set(const char* name, DWORD type, const void* data, DWORD size) const {
        return RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }
    bool SetDword(const char* name, DWORD value) const { return Set(name, REG_DWORD, &value, sizeof value); }
    // The characters, followed in memory by a zero: Windows 98 stores up to it whatever the count.
    bool SetString(const char* name, std::string_view text) const {
        const std::string terminated(text);
        return Set(name, REG_SZ, terminated.c_str(), static_cast<DWORD>(text.size()));
    }
    // A floating-point value: the 8 bytes of an IEEE-754 double in a REG_BINARY.
    bool SetDouble(const char* name, double value) const {
        return Set(name, REG_BINARY, &value, sizeof value);
    }
    bool Set(const char* name, const RegValue& value) const {
        return Set(name, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
    }
    bool Delete(const char* name) const { return RegDeleteValueA(key_, name) == ERROR_SUCCESS; }

    // Type and bytes of a value; a missing one reads as REG_NONE with no bytes.
    RegValue Get(const char* name) const {
        RegValue value;
        DWORD size = 0;
        if (RegQueryValueExA(key_, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return {};
        value.bytes.assign(size, '\0');
        auto* data = reinterpret_cast<BYTE*>(value.bytes.data());
        if (RegQueryValueExA(key_, name, nullptr, &value.type, data, &size) != ERROR_SUCCESS) return {};
        value.bytes.resize(size);
        return value;
    }
    RegValues Values() const {
        RegValues values;
        char name[16384]; // the longest value name the registry takes
        DWORD length = sizeof name;
        for (DWORD i = 0;
             RegEnumValueA(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof name)
            values[name] = Get(name);
        return values;
    }

  private:
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY key_ = nullptr;
};

inline void DeleteProductKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kProductKey);
}
inline RegKey ProductKey() {
    return RegKey::Create(kProductKey);
}

// The system's password option for screen savers, as a REG_DWORD.
inline void SetUsePassword(DWORD value) {
    RegKey::Create(kDesktopKey).SetDword(kUsePasswordValue, value);
}
inline void RemoveUsePassword() {
    RegKey::Create(kDesktopKey).Delete(kUsePasswordValue);
}

// A complete product key as the configuration dialog writes it; tests change single values
// afterwards. Keys only by default: the pointer moves Wine sends when a window shows or a box
// closes must not end a saver that a test is still looking at.
struct SaverValues {
    DWORD sensitivity = 1;
    DWORD pictureSet = 1;
    double cls = 10.0;
    DWORD speed = 5;
    DWORD background = 0;
    DWORD pictures = 0x1FFFFFF; // bit k: Pic_(k+1)

    void Write() const {
        const RegKey key = ProductKey();
        key.SetString("Version", "2");
        key.SetDword("Sensitivity", sensitivity);
        key.SetDword("PictureSet", pictureSet);
        key.SetDouble("CLS", cls);
        key.SetDword("Speed", speed);
        key.SetDword("Background", background);
        for (int n = 1; n <= 25; ++n)
            key.SetDword(PictureValue(n).c_str(), (pictures >> (n - 1)) & 1u);
    }
    static std::string PictureValue(int n) { return (n < 10 ? "Pic_0" : "Pic_") + std::to_string(n); }
};

// ---- system state ---------------------------------------------------------------------------

// The density a copy of the test program was started at by PassesInCopyAtDpi; 0 in the first.
inline int CopyDpi() {
    const char* dpi = std::getenv("TAVRIN_COPY_DPI");
    return dpi ? std::atoi(dpi) : 0;
}

// Runs the tests `filter` names in a copy of this program started with the system at `dpi` (it
// reads its density when a program starts; the copy's output joins this one's), and puts the
// density back. True when they pass.
inline bool PassesInCopyAtDpi(int dpi, const std::string& filter) {
    const RegKey desktop = RegKey::Create(kDesktopKey);
    const RegValue before = desktop.Get("LogPixels");
    desktop.SetDword("LogPixels", static_cast<DWORD>(dpi));
    SetEnvironmentVariableA("TAVRIN_COPY_DPI", std::to_string(dpi).c_str());
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = std::string("\"") + path + "\" --gtest_filter=" + filter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION copy = {};
    DWORD exitCode = 1;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &copy)) {
        WaitForSingleObject(copy.hProcess, 60000);
        GetExitCodeProcess(copy.hProcess, &exitCode);
        CloseHandle(copy.hThread);
        CloseHandle(copy.hProcess);
    }
    SetEnvironmentVariableA("TAVRIN_COPY_DPI", nullptr);
    before.type != REG_NONE ? desktop.Set("LogPixels", before) : desktop.Delete("LogPixels");
    return exitCode == 0;
}

inline bool SaverFlag() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

// The flag outlives the process that set it: every test starts with it cleared.
inline void ClearSaverFlag() {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, &previous, 0);
}

inline HWND Taskbar() {
    return FindWindowA("Shell_TrayWnd", nullptr);
}
inline bool TaskbarVisible() {
    HWND taskbar = Taskbar();
    return taskbar && IsWindowVisible(taskbar);
}
inline void ShowTaskbar() {
    if (HWND taskbar = Taskbar()) ShowWindow(taskbar, SW_SHOWNORMAL);
}

inline int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
inline int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

// ---- pixels ---------------------------------------------------------------------------------

// A 32-bit top-down picture in memory, filled by copying from a device context.
class Pixels {
  public:
    Pixels(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Pixels() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool valid() const { return bits_ != nullptr; }

    // Copies the rectangle at (x, y) of `source` to (0, 0).
    void CopyFrom(HDC source, int x = 0, int y = 0) {
        BitBlt(dc_, 0, 0, width_, height_, source, x, y, SRCCOPY);
        GdiFlush();
    }
    // Copies from a window's device context (its client area).
    void CopyFromWindow(HWND window, int x = 0, int y = 0) {
        HDC dc = GetDC(window);
        CopyFrom(dc, x, y);
        ReleaseDC(window, dc);
    }
    void Fill(COLORREF colour) {
        for (int i = 0; i < width_ * height_; ++i)
            bits_[i] = ToPixel(colour);
    }

    // As a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const {
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool SameAs(const Pixels& other) const {
        return width_ == other.width_ && height_ == other.height_ &&
               std::memcmp(bits_, other.bits_, sizeof(std::uint32_t) * width_ * height_) == 0;
    }
    // Number of pixels of the rectangle that differ from `colour`.
    int CountOther(COLORREF colour, RECT area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) != colour) ++count;
        return count;
    }
    int CountOther(COLORREF colour) const { return CountOther(colour, {0, 0, width_, height_}); }

  private:
    static std::uint32_t ToPixel(COLORREF c) {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Waits until the screen shows `colour` at (x, y) and has stopped changing: a window just shown
// there, and whatever other programs still repaint, have reached it. Wine puts what a thread
// drew on the screen when its loop is idle, at most every 50 ms; two looks further apart than
// that agree once nothing is left to come.
inline void WaitForScreen(int x, int y, COLORREF colour) {
    Pixels looks[2] = {{ScreenWidth(), ScreenHeight()}, {ScreenWidth(), ScreenHeight()}};
    int taken = 0;
    DWORD lastLook = 0;
    const UINT_PTR wake = SetTimer(nullptr, 0, 60, nullptr);
    PumpUntil(
        [&] {
            if (taken > 0 && GetTickCount() - lastLook < 60) return false;
            Pixels& now = looks[taken++ % 2];
            now.CopyFromWindow(nullptr); // the whole screen
            lastLook = GetTickCount();
            return taken > 1 && now.At(x, y) == colour && now.SameAs(looks[taken % 2]);
        },
        2000);
    KillTimer(nullptr, wake);
}

// The size of the bitmap selected into a memory device context.
inline SIZE BitmapSize(HDC dc) {
    BITMAP bitmap = {};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

// A plain top-level window of one colour, for putting something recognisable on the screen.
class ColouredWindow {
  public:
    ColouredWindow(COLORREF colour, RECT area, bool topMost = false) {
        brush_ = CreateSolidBrush(colour);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = brush_;
        wc.lpszClassName = kClass;
        UnregisterClassA(kClass, wc.hInstance); // the brush is per window
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(topMost ? WS_EX_TOPMOST : 0, kClass, "coloured", WS_POPUP | WS_VISIBLE,
                                  area.left, area.top, area.right - area.left, area.bottom - area.top,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
    }
    ~ColouredWindow() {
        if (window_) DestroyWindow(window_);
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
        DeleteObject(brush_);
    }
    ColouredWindow(const ColouredWindow&) = delete;
    ColouredWindow& operator=(const ColouredWindow&) = delete;
    HWND get() const { return window_; }

  private:
    static constexpr char kClass[] = "TestColouredWindow";
    HBRUSH brush_ = nullptr;
    HWND window_ = nullptr;
};

} // namespace testsupport
