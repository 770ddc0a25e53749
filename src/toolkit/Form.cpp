#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Hints.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tk {

namespace {
constexpr char kContainerClass[] = "TContainer";

DWORD FormStyle(const FormSpec& spec) {
    switch (spec.border) {
    case BorderStyle::None:
        return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::Single:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case BorderStyle::Dialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

DWORD FormExStyle(const FormSpec& spec) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (spec.topMost) ex |= WS_EX_TOPMOST;
    if (spec.border == BorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME;
    return ex;
}

// Containers paint their frame and the windowless controls they hold, and pass the
// notifications of their children up to the form.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) return SendMessageA(GetParent(window), message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        PaintScope paint(window);
        if (auto* control = TControl::FromHandle(window)) control->Paint(paint.get());
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
// The pointing hand over links; Windows 95 and NT 4.0 have no such system cursor and show
// the arrow there.
HCURSOR HandCursor() {
    if (HCURSOR hand = LoadCursorA(nullptr, IDC_HAND)) return hand;
    return LoadCursorA(nullptr, IDC_ARROW);
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
} // namespace

bool IsChildNotification(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_DRAWITEM:
        return true;
    }
    return false;
}

const char* ContainerClass() {
    static const bool registered = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ContainerProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kContainerClass;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    return kContainerClass;
}

int Scaled(int value, double scale) {
    return static_cast<int>(std::lround(value * scale));
}

COLORREF ColourValue(Colour colour) {
    switch (colour) {
    case Colour::Grey:
        return RGB(128, 128, 128);
    case Colour::Black:
        return RGB(0, 0, 0);
    case Colour::Navy:
        return RGB(0, 0, 128);
    case Colour::ButtonFace:
    case Colour::Default:
        break;
    }
    return GetSysColor(COLOR_BTNFACE);
}

UniqueFont MakeFont(const FontSpec& spec, double scale) {
    LOGFONTA lf = {};
    lf.lfHeight = -Scaled(spec.height, scale);
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = spec.italic ? TRUE : FALSE;
    lf.lfCharSet = spec.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, spec.face ? spec.face : "MS Sans Serif", LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&lf));
}

TForm::TForm(const FormSpec& spec) : spec_(spec), state_(spec.state) {}

TForm::~TForm() {
    Application.FormDestroyed(this);
    controls_.clear();
    if (window_) SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

void TForm::RegisterClassOnce() const {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(ModuleInstance(), spec_.className, &existing)) return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS; // a quick second click arrives as a double-click message
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ModuleInstance();
    // Only a single frame shows an icon, in its caption: a dialog frame has none, and a window
    // without a frame (the saver) has no caption, which spares its start the icon's load.
    if (spec_.border == BorderStyle::Single)
        wc.hIcon = spec_.iconId ? LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(spec_.iconId))
                                : LoadIconA(ModuleInstance(), "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = spec_.className;
    RegisterClassExA(&wc);
}

void TForm::Create(HWND owner) {
    if (spec_.scaled) {
        WindowDc screen(nullptr);
        scale_ = GetDeviceCaps(screen.get(), LOGPIXELSY) / 96.0;
    }
    RegisterClassOnce();
    CreateWindowFromSpec(owner);
    CreateControls();
    Loaded();
    if (OnCreate) Application.Guard(OnCreate);
    if (spec_.visible) Show();
}

void TForm::CreateWindowFromSpec(HWND owner) {
    const DWORD style = FormStyle(spec_), exStyle = FormExStyle(spec_);
    RECT r = {0, 0, Scaled(spec_.designBounds.width, scale_), Scaled(spec_.designBounds.height, scale_)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (spec_.position == Position::Designed) {
        x = Scaled(spec_.designBounds.left, scale_);
        y = Scaled(spec_.designBounds.top, scale_);
    } else if (spec_.position == Position::ScreenCenter) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    font_ = MakeFont(spec_.font, scale_);
    backgroundBrush_.reset(CreateSolidBrush(ColourValue(spec_.colour)));
    // The window procedure takes ownership of the handle at WM_NCCREATE.
    if (!CreateWindowExA(exStyle, spec_.className, spec_.caption, style, x, y, width, height, owner, nullptr,
                         ModuleInstance(), this))
        throw tavrin::Error("Error creating window");
}

void TForm::CreateControls() {
    for (const ControlSpec& spec : spec_.controls)
        controls_.push_back(MakeControl(*this, spec));
    CreateControlWindows(false);
    AttachHints(*this);
}

void TForm::MakeDeferredControls() {
    if (deferredMade_) return;
    deferredMade_ = true;
    CreateControlWindows(true);
}

// Controls are created parents first (the layout lists them so); a deferred control's children
// are deferred with it. Siblings are then put in tab order, which is the order the dialog
// manager walks with Tab.
void TForm::CreateControlWindows(bool deferred) {
    std::map<std::string, TControl*> byName;
    std::map<std::string, bool> deferredByName;
    for (auto& control : controls_) {
        const ControlSpec& spec = control->Spec();
        TControl* parent = spec.parent ? byName.at(spec.parent) : nullptr;
        const bool isDeferred = spec.deferred || (spec.parent && deferredByName.at(spec.parent));
        byName[control->Name()] = control.get();
        deferredByName[control->Name()] = isDeferred;
        if (isDeferred == deferred) control->Create(parent, parent ? parent->Handle() : Handle());
    }
    std::vector<TControl*> ordered;
    for (auto& control : controls_)
        if (control->Handle()) ordered.push_back(control.get());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](TControl* a, TControl* b) { return a->Spec().tabOrder < b->Spec().tabOrder; });
    for (TControl* control : ordered)
        SetWindowPos(control->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TForm::Visible() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void TForm::Show() {
    ShowWindow(Handle(), state_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TForm::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

void TForm::SetState(WindowState state) {
    state_ = state;
    if (Visible()) Show();
}

int TForm::ClientWidth() const {
    RECT r;
    GetClientRect(Handle(), &r);
    return r.right;
}

int TForm::ClientHeight() const {
    RECT r;
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TForm::SetTopLeft(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetBounds(const Bounds& b) {
    SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

ModalResult TForm::ShowModal() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND w : disabled)
        EnableWindow(w, FALSE);
    modalResult_ = ModalResult::None;
    Show();
    while (modalResult_ == ModalResult::None && !Application.Terminated())
        Application.HandleMessage();
    for (HWND w : disabled)
        EnableWindow(w, TRUE);
    Hide();
    if (owner && !disabled.empty()) SetActiveWindow(disabled.front());
    return modalResult_;
}

void TForm::PaintChildren(HDC dc, const TControl* host) {
    for (auto& control : controls_)
        if (control->Windowless() && control->Parent() == host && control->Visible()) control->Paint(dc);
}

// The form's activation event fires when it becomes the program's focused form; a message
// box closing over it gives the activation back without changing the focused form.
void TForm::Activated() {
    if (Application.ActiveForm() == this) return;
    Application.SetActiveForm(this);
    if (OnActivate) Application.Guard(OnActivate);
}

void TForm::RememberFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) focusedControl_ = focus;
}

void TForm::RestoreFocus() {
    HWND control = focusedControl_;
    if (control && IsChild(Handle(), control) && IsWindowVisible(control) && IsWindowEnabled(control))
        ::SetFocus(control);
}

bool TForm::SetCursorShape(HWND window, WORD hitTest) {
    if (hitTest != HTCLIENT) return false;
    if (window == Handle()) {
        if (cursor_ == Cursor::Default) return false;
        ::SetCursor(cursor_ == Cursor::HandPoint ? HandCursor() : nullptr);
        return true;
    }
    if (auto* control = TControl::FromHandle(window);
        control && control->Spec().cursor == Cursor::HandPoint) {
        ::SetCursor(HandCursor());
        return true;
    }
    return false;
}

LRESULT TForm::ControlColour(HDC dc, HWND window) {
    auto* control = TControl::FromHandle(window);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control ? control->TextColour() : GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// A query handler that fails refuses the close: what it guards (the saver's password) must not
// give way to an error; the error still reaches the error box.
bool TForm::CloseAllowed() {
    if (!OnCloseQuery) return true;
    bool allowed = false;
    Application.Guard([&] { allowed = OnCloseQuery(); });
    return allowed;
}

LRESULT TForm::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(Handle(), &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, backgroundBrush_.get());
        return 1;
    }
    case WM_PAINT: {
        PaintScope paint(Handle());
        PaintChildren(paint.get(), nullptr);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            RememberFocus();
            break;
        }
        // The default handling focuses the form itself; then the control that had the focus
        // when the form was left (for a message box or another program) gets it back, and
        // last the activation event may move it.
        DefaultHandling(message, wParam, lParam);
        RestoreFocus();
        Activated();
        return 0;
    case WM_CLOSE:
        if (!CloseAllowed()) return 0;
        if (OnClose) Application.Guard(OnClose);
        if (Application.MainForm() == this)
            Application.Terminate();
        else
            modalResult_ = ModalResult::Cancel;
        return 0;
    case WM_COMMAND:
        if (lParam) {
            if (auto* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam)))
                control->Command(HIWORD(wParam));
        } else if (LOWORD(wParam) == IDOK) {
            // Enter: only a default button reacts.
            for (auto& control : controls_)
                if (control->Spec().kind == ControlKind::Button && control->Spec().isDefault)
                    control->Command(BN_CLICKED);
        }
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (auto* control = TControl::FromHandle(header->hwndFrom)) return control->Notify(*header);
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (SetCursorShape(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
        break;
    case WM_GETMINMAXINFO:
        // A borderless form maximises over every monitor, not just the primary work area.
        if (spec_.border == BorderStyle::None) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const tavrin::Rect all = CoveredScreen();
            info->ptMaxPosition = {all.left, all.top};
            info->ptMaxSize = {all.right - all.left, all.bottom - all.top};
            info->ptMaxTrackSize = info->ptMaxSize;
            return 0;
        }
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        reinterpret_cast<TForm*>(create->lpCreateParams)->window_.reset(window);
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        form->window_.release();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // The boundary of every form's own handling (a handler the toolkit does not guard, such as a
    // timer that cannot start): the error reaches the error box and the message counts as
    // handled, so no exception unwinds into the system's frames of DispatchMessage.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        Application.ShowException(error);
        return 0;
    }
}

} // namespace tk
