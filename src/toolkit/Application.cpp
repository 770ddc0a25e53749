#include "toolkit/Application.h"

#include "core/AppTitle.h"
#include "toolkit/Form.h"
#include "toolkit/LateBound.h"

#include <algorithm>

namespace tk {

TApplication Application;

namespace {
constexpr char kApplicationClass[] = "TApplication";

std::string ModuleFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Posted to the application window when it is activated (picked on the taskbar or with
// Alt+Tab), to pass the activation on to the window the user works in.
constexpr UINT kPassActivationOn = WM_APP + 1;

// While the main form belongs to another program's window, how often the program looks
// whether that window is still there.
constexpr UINT_PTR kOwnerWatchTimer = 1;
constexpr UINT kOwnerWatchInterval = 500;

// Message boxes belong to the program's active form, so that when one closes that form is in
// front again (and a box over the top-most saver stays above it); without a shown form, to the
// window the user is looking at, or to the application window.
HWND MessageBoxOwner() {
    if (TForm* form = Application.ActiveForm(); form && form->Handle() && form->Visible())
        return form->Handle();
    HWND active = GetActiveWindow();
    return active ? active : Application.Handle();
}

// The window the user last worked in: the active form (or the main form), or the box or modal
// form it waits for when it is disabled.
HWND WindowToActivate() {
    TForm* form = Application.ActiveForm() ? Application.ActiveForm() : Application.MainForm();
    if (!form || !form->Handle() || !form->Visible()) return nullptr;
    HWND target = form->Handle();
    if (IsWindowEnabled(target)) return target;
    HWND popup = GetLastActivePopup(target);
    return popup && IsWindowVisible(popup) && IsWindowEnabled(popup) ? popup : target;
}

// Every letter of the system's ANSI code page, not only A to Z.
void LowerAnsi(char* first, std::size_t count) {
    CharLowerBuffA(first, static_cast<DWORD>(count));
}

bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// The top-level window a control sits in: parents are followed while the window is a child.
// (GetAncestor does this on newer systems; Windows 95 and NT 4.0 do not have it.)
HWND RootWindow(HWND window) {
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
        HWND parent = GetParent(window);
        if (!parent) break;
        window = parent;
    }
    return window;
}
} // namespace

HINSTANCE ModuleInstance() {
    return GetModuleHandleA(nullptr);
}

int (*SystemMetric)(int index) = [](int index) { return GetSystemMetrics(index); };

tavrin::Rect CoveredScreen() {
    return tavrin::CoveredArea(SystemMetric(SM_XVIRTUALSCREEN), SystemMetric(SM_YVIRTUALSCREEN),
                               SystemMetric(SM_CXVIRTUALSCREEN), SystemMetric(SM_CYVIRTUALSCREEN),
                               SystemMetric(SM_CXSCREEN), SystemMetric(SM_CYSCREEN));
}

// Windows 10 1703 and 8.1; the headers of the program's target have neither.
#ifndef DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
#define DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 (static_cast<INT_PTR>(-4))
#endif
constexpr int PROCESS_PER_MONITOR_DPI_AWARE = 2;

// Systems before Vista know nothing of it, and are not asked to load the library they lack.
void DeclareDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    using SetAwareness = HRESULT(WINAPI*)(int);
    using SetAware = BOOL(WINAPI*)();
    const auto systemAware = late::SystemFunction<SetAware>("user32.dll", "SetProcessDPIAware");
    if (!systemAware) return;
    // Where user32 takes a context (Windows 10), it alone is asked: per monitor in its second
    // form, then its first, then system-wide. Only Windows 8.1 needs shcore.dll loaded for it.
    if (auto set = late::SystemFunction<SetContext>("user32.dll", "SetProcessDpiAwarenessContext")) {
        if (set(reinterpret_cast<HANDLE>(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) ||
            set(reinterpret_cast<HANDLE>(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)))
            return;
    } else if (auto set = late::SystemFunction<SetAwareness>("shcore.dll", "SetProcessDpiAwareness")) {
        if (SUCCEEDED(set(PROCESS_PER_MONITOR_DPI_AWARE))) return;
    }
    systemAware();
}

void TApplication::Initialize() {
    if (window_) return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kApplicationClass;
    RegisterClassExA(&wc);
    title_ = tavrin::DefaultApplicationTitle(ModuleFileName(), LowerAnsi);
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_.reset(CreateWindowExA(0, kApplicationClass, title_.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                                  0, 0, nullptr, nullptr, ModuleInstance(), nullptr));
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) SetWindowTextA(window_.get(), title_.c_str());
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
    TForm* raw = form.get();
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = raw;
    raw->Create(raw == mainForm_ && mainFormOwner_ ? mainFormOwner_ : Handle());
}

void TApplication::Run() {
    if (!mainForm_) return;
    if (ShowMainForm) {
        // A dialog as main window gets the program's one taskbar button (and its place in
        // Alt+Tab): the application window, which carries the title. The saver has none.
        if (mainFormOwner_) {
            EnableWindow(mainFormOwner_, FALSE);
            SetTimer(Handle(), kOwnerWatchTimer, kOwnerWatchInterval, nullptr);
        } else if (mainForm_->Spec().border != BorderStyle::None) {
            ShowTaskbarButton();
        }
        mainForm_->Show();
    }
    while (!terminated_)
        HandleMessage();
    GiveBackMainFormOwner();
}

// The program's icon, large for Alt+Tab and small for the button, is given to the window only
// here: the saver never shows it, and its start is spared the load. The large one is shared
// (never destroyed); the small one is loaded at its own size, which a shared load would not
// give once the large one is cached.
void TApplication::ShowTaskbarButton() {
    const HINSTANCE module = ModuleInstance();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(module, "MAINICON")));
    if (!smallIcon_)
        smallIcon_.reset(
            static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    ShowWindow(Handle(), SW_SHOWNA);
}

// The owner is enabled before the form goes, so the activation returns to it.
void TApplication::GiveBackMainFormOwner() {
    if (!mainFormOwner_ || !IsWindow(mainFormOwner_)) return;
    EnableWindow(mainFormOwner_, TRUE);
    if (mainForm_) mainForm_->Hide();
    SetForegroundWindow(mainFormOwner_);
}

// When the owner goes (its program closed or killed), the main form ends as if closed, with
// nothing saved: left alone it would stay on screen (Wine) or, destroyed with its owner
// (Windows), leave a program without a window that keeps the single-instance name.
void TApplication::WatchMainFormOwner() {
    if (!mainFormOwner_ || IsWindow(mainFormOwner_)) return;
    KillTimer(Handle(), kOwnerWatchTimer);
    mainFormOwner_ = nullptr;
    if (mainForm_ && mainForm_->Handle())
        mainForm_->Close();
    else
        Terminate();
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) {
        // A copy, because the filter may empty the slot while it runs.
        const MessageFilter filter = OnMessage;
        try {
            filter(msg, handled);
        } catch (const std::exception& error) {
            ShowException(error);
        }
    }
    if (handled) return true;
    // Tab moves between controls, and Enter presses a form's default button if it has one.
    HWND root = RootWindow(msg.hwnd);
    if (IsKeyboardMessage(msg.message) && root && root != Handle() && IsDialogMessageA(root, &msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) WaitMessage();
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::Restore() {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
}

void TApplication::ShowException(const std::exception& error) {
    const std::string text = tavrin::ErrorBoxText(error.what());
    MessageBoxA(MessageBoxOwner(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TApplication::FormDestroyed(TForm* form) {
    if (activeForm_ == form) activeForm_ = nullptr;
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::DestroyForms() {
    while (!forms_.empty())
        forms_.pop_back();
    mainForm_ = nullptr;
    activeForm_ = nullptr;
}

void TApplication::ResetForTests() {
    DestroyForms();
    if (window_) KillTimer(window_.get(), kOwnerWatchTimer);
    OnMessage = nullptr;
    ShowMainForm = true;
    mainFormOwner_ = nullptr;
    terminated_ = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(window, kPassActivationOn, 0, 0);
        break;
    case WM_TIMER:
        if (wParam == kOwnerWatchTimer) Application.WatchMainFormOwner();
        return 0;
    case kPassActivationOn:
        // Unless something else has taken the activation meanwhile.
        if (GetActiveWindow() == window)
            if (HWND target = WindowToActivate()) SetActiveWindow(target);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ShowMessage(const std::string& text) {
    MessageBoxA(MessageBoxOwner(), text.c_str(), Application.Title().c_str(), MB_OK);
}

namespace {
// While it lives, moves each message box that opens on this thread to the middle of the whole
// screen: on its own the system centres an ownerless box in the work area, which leaves out
// the taskbar.
class CentreBoxesOnScreen {
  public:
    CentreBoxesOnScreen()
        : hook_(SetWindowsHookExA(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId())) {}
    ~CentreBoxesOnScreen() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    CentreBoxesOnScreen(const CentreBoxesOnScreen&) = delete;
    CentreBoxesOnScreen& operator=(const CentreBoxesOnScreen&) = delete;

  private:
    // A box has its final size once its dialog initialisation is done, and is not shown yet.
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        char className[16] = {};
        if (code == HC_ACTION && sent->message == WM_INITDIALOG &&
            GetClassNameA(sent->hwnd, className, sizeof(className)) && lstrcmpA(className, "#32770") == 0) {
            RECT r;
            GetWindowRect(sent->hwnd, &r);
            const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
            const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
            SetWindowPos(sent->hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};
} // namespace

void ShowWarning(const std::string& text, bool centreOnScreen) {
    if (!centreOnScreen) {
        MessageBoxA(MessageBoxOwner(), text.c_str(), "Warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Owned like every box, so its form comes back to the front when it closes.
    CentreBoxesOnScreen centre;
    MessageBoxA(MessageBoxOwner(), text.c_str(), "Warning", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

} // namespace tk
