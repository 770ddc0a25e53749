#include "toolkit/Controls.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <cmath>

namespace tk {

namespace {
constexpr char kControlProperty[] = "TavrinControl";
constexpr char kTimerWindowClass[] = "TTimerWindow";
constexpr UINT_PTR kTimerId = 1;

void DrawBevel(HDC dc, RECT r, BevelStyle style) {
    if (style == BevelStyle::None) return;
    DrawEdge(dc, &r, style == BevelStyle::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}
} // namespace

// ---- TControl --------------------------------------------------------------------------

TControl* TControl::FromHandle(HWND window) {
    return window ? static_cast<TControl*>(GetPropA(window, kControlProperty)) : nullptr;
}

void TControl::Create(TControl* parent, HWND parentWindow) {
    parent_ = parent;
    parentWindow_ = parentWindow;
    const double scale = Scale();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | Style();
    if (visible_) style |= WS_VISIBLE;
    if (spec_.tabStop) style |= WS_TABSTOP;
    static int nextId = 100;
    window_.reset(CreateWindowExA(
        ExStyle(), WindowClass(), spec_.caption, style, Scaled(bounds_.left, scale),
        Scaled(bounds_.top, scale), Scaled(bounds_.width, scale), Scaled(bounds_.height, scale), parentWindow,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)), ModuleInstance(), nullptr));
    if (!window_) throw tavrin::Error(std::string("Error creating window ") + spec_.name);
    SetPropA(window_.get(), kControlProperty, this);
    if (spec_.font.face) font_ = MakeFont(spec_.font, scale);
    HFONT font = font_ ? font_.get() : (parent_ ? parent_->Font() : nullptr);
    if (!font) font = reinterpret_cast<HFONT>(SendMessageA(parentWindow, WM_GETFONT, 0, 0));
    if (!font) font = form_.Font();
    SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    AfterCreate();
}

HFONT TControl::Font() const {
    if (font_) return font_.get();
    return parent_ ? parent_->Font() : form_.Font();
}

COLORREF TControl::TextColour() const {
    return spec_.font.colour == Colour::Default ? GetSysColor(COLOR_BTNTEXT) : ColourValue(spec_.font.colour);
}

DWORD TControl::Style() const {
    return 0;
}

void TControl::Command(WORD notification) {
    if (notification == STN_CLICKED || notification == BN_CLICKED) Click();
}

void TControl::Click() {
    if (OnClick) Application.Guard(OnClick);
}

HWND TControl::HostWindow() const {
    return parent_ ? parent_->Handle() : form_.Handle();
}

double TControl::Scale() const {
    return form_.Scale();
}

int TControl::PixelWidth() const {
    return Scaled(bounds_.width, Scale());
}

int TControl::PixelHeight() const {
    return Scaled(bounds_.height, Scale());
}

void TControl::MoveToPixels(int left, int top) {
    const double scale = Scale();
    bounds_.left = static_cast<int>(std::lround(left / scale));
    bounds_.top = static_cast<int>(std::lround(top / scale));
    if (window_) MoveWindow(window_.get(), left, top, PixelWidth(), PixelHeight(), TRUE);
}

RECT TControl::RectInHost() const {
    const double scale = Scale();
    const int left = Scaled(bounds_.left, scale), top = Scaled(bounds_.top, scale);
    return {left, top, left + Scaled(bounds_.width, scale), top + Scaled(bounds_.height, scale)};
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    if (window_) {
        ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE);
    } else if (HostWindow()) {
        RECT r = RectInHost();
        InvalidateRect(HostWindow(), &r, TRUE);
    }
}

void TControl::SetFocus() {
    if (window_) ::SetFocus(window_.get());
}

std::string TControl::Text() const {
    if (!window_) return {};
    const int length = GetWindowTextLengthA(window_.get());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window_.get(), text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void TControl::SetText(const std::string& text) {
    if (window_) SetWindowTextA(window_.get(), text.c_str());
}

// ---- containers ------------------------------------------------------------------------

const char* TContainer::WindowClass() const {
    return ContainerClass();
}

void TPanel::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    if (spec_.singleBorder) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    DrawBevel(dc, r, spec_.bevelOuter);
    if (spec_.bevelOuter != BevelStyle::None) InflateRect(&r, -1, -1);
    if (spec_.bevelInner != BevelStyle::None) {
        InflateRect(&r, -1, -1); // border width 1 between the two bevels
        DrawBevel(dc, r, spec_.bevelInner);
    }
    Form().PaintChildren(dc, this);
}

void TGroupBox::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    SelectScope font(dc, Font());
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    r.top += tm.tmHeight / 2;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    if (spec_.caption && *spec_.caption) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT text = {8, 0, r.right - 8, tm.tmHeight};
        DrawTextA(dc, spec_.caption, -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    }
    Form().PaintChildren(dc, this);
}

// ---- simple windowed controls ------------------------------------------------------------

// Labels keep their text on one line, as the layouts are drawn for.
DWORD TLabel::Style() const {
    return SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX;
}

// A label grows to fit its caption when the system's font runs wider than the one the layout
// was drawn with, so no text is cut off; it never shrinks below its layout width.
void TLabel::AfterCreate() {
    WindowDc dc(Handle());
    SelectScope font(dc.get(), Font());
    SIZE extent = {};
    const std::string text = Text();
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    RECT r;
    GetClientRect(Handle(), &r);
    if (extent.cx > r.right)
        SetWindowPos(Handle(), nullptr, 0, 0, extent.cx, r.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD TEdit::Style() const {
    return ES_LEFT | ES_AUTOHSCROLL | (spec_.passwordChar ? ES_PASSWORD : 0);
}

void TEdit::AfterCreate() {
    if (spec_.maxLength > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(spec_.maxLength), 0);
    if (spec_.passwordChar)
        SendMessageA(Handle(), EM_SETPASSWORDCHAR,
                     static_cast<WPARAM>(static_cast<unsigned char>(spec_.passwordChar)), 0);
}

DWORD TButton::Style() const {
    return spec_.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Command(WORD notification) {
    if (notification == BN_CLICKED) Click();
}

DWORD TCheckBox::Style() const {
    return BS_AUTOCHECKBOX;
}

bool TCheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Command(WORD notification) {
    if (notification == BN_CLICKED) Click();
}

// ---- windowless controls -----------------------------------------------------------------

void TImage::Create(TControl* parent, HWND parentWindow) {
    parent_ = parent;
    parentWindow_ = parentWindow;
}

void TImage::SetIcon(HICON icon) {
    icon_ = icon;
    const RECT r = RectInHost();
    InvalidateRect(HostWindow(), &r, FALSE);
}

void TImage::Paint(HDC dc) {
    if (!icon_) return;
    const RECT r = RectInHost();
    const int w = spec_.stretch ? r.right - r.left : 0, h = spec_.stretch ? r.bottom - r.top : 0;
    DrawIconEx(dc, r.left, r.top, icon_, w, h, 0, nullptr, DI_NORMAL);
}

void TBevel::Create(TControl* parent, HWND parentWindow) {
    parent_ = parent;
    parentWindow_ = parentWindow;
}

// A bevel is a frame of two one-pixel rectangles, the second moved down and right by a pixel:
// raised, a light rectangle over a dark one stands out as a ridge; lowered, a dark one over a
// light one is cut in as a groove.
void TBevel::Paint(HDC dc) {
    const RECT r = RectInHost();
    const bool raised = spec_.bevelOuter != BevelStyle::Lowered;
    const RECT upper = {r.left, r.top, r.right - 1, r.bottom - 1};
    const RECT lower = {r.left + 1, r.top + 1, r.right, r.bottom};
    FrameRect(dc, &lower, GetSysColorBrush(raised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
    FrameRect(dc, &upper, GetSysColorBrush(raised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
}

// ---- TTimer ------------------------------------------------------------------------------

TTimer::TTimer(TForm& form, const ControlSpec& spec)
    : TControl(form, spec), interval_(spec.interval), enabled_(spec.enabled) {}

TTimer::~TTimer() {
    if (timerWindow_ && running_) KillTimer(timerWindow_.get(), kTimerId);
}

void TTimer::Create(TControl*, HWND) {
    created_ = true;
    Update();
}

// The hidden window that receives the timer's ticks, made when the timer first runs: timers
// that start later (all the saver's do) cost a form's start-up nothing. It is a top-level
// window that is never shown, so it has no taskbar button; message-only windows would do, but
// Windows 95, 98, ME and NT 4.0 have none.
void TTimer::MakeWindow() {
    static const bool registered = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = TimerProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kTimerWindowClass;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    timerWindow_.reset(CreateWindowExA(0, kTimerWindowClass, spec_.name, WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, ModuleInstance(), nullptr));
    if (timerWindow_) SetPropA(timerWindow_.get(), kControlProperty, this);
}

void TTimer::SetInterval(UINT interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

// Every change restarts the countdown from the full interval.
void TTimer::Update() {
    if (!created_) return;
    if (timerWindow_) KillTimer(timerWindow_.get(), kTimerId);
    running_ = false;
    if (interval_ == 0 || !enabled_ || !OnTimer) return;
    if (!timerWindow_) MakeWindow();
    if (!timerWindow_ || !SetTimer(timerWindow_.get(), kTimerId, interval_, nullptr))
        throw tavrin::Error("Not enough timers available");
    running_ = true;
}

LRESULT CALLBACK TTimer::TimerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* timer = static_cast<TTimer*>(GetPropA(window, kControlProperty));
        if (timer && timer->running_ && timer->OnTimer) Application.Guard(timer->OnTimer);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace tk
