#include "toolkit/CommonControls.h"

#include "core/SpinRules.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <windowsx.h>

#include "core/Error.h"
#include <algorithm>

namespace tk {

namespace {
using UniquePen = UniqueHandle<HPEN, GdiTraits<HPEN>>;

constexpr char kSliderClass[] = "TSlider";
constexpr UINT_PTR kRepeatTimer = 1;

// Slider geometry in pixels: the thumb's left edge runs from kSliderMargin to the width less
// kSliderMargin and the thumb; the ticks hang below the thumb.
constexpr int kSliderMargin = 8;
constexpr int kThumbWidth = 11;
constexpr int kThumbTop = 2;
constexpr int kThumbHeight = 18;
constexpr int kChannelTop = 9;
constexpr int kChannelBottom = 13;
constexpr int kTickTop = kThumbTop + kThumbHeight + 2;

// The first window of a common-control class needs the classes registered.
const char* CommonClass(const char* name) {
    InitCommonControlsOnce();
    return name;
}

std::vector<std::string> Lines(const char* text) {
    std::vector<std::string> lines;
    if (!text) return lines;
    std::string current;
    for (const char* c = text; *c; ++c) {
        if (*c == '\n') {
            lines.push_back(current);
            current.clear();
        } else {
            current += *c;
        }
    }
    lines.push_back(current);
    return lines;
}

template <class T> T* ControlOf(HWND window) {
    return static_cast<T*>(TControl::FromHandle(window));
}
} // namespace

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX classes = {};
        classes.dwSize = sizeof(classes);
        // ICC_BAR_CLASSES also brings the tooltips of the hints.
        classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES;
        return late::InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)done;
}

std::unique_ptr<TControl> MakeControl(TForm& form, const ControlSpec& spec) {
    switch (spec.kind) {
    case ControlKind::Panel:
        return std::make_unique<TPanel>(form, spec);
    case ControlKind::GroupBox:
        return std::make_unique<TGroupBox>(form, spec);
    case ControlKind::Label:
        return std::make_unique<TLabel>(form, spec);
    case ControlKind::Edit:
        return std::make_unique<TEdit>(form, spec);
    case ControlKind::Button:
        return std::make_unique<TButton>(form, spec);
    case ControlKind::CheckBox:
        return std::make_unique<TCheckBox>(form, spec);
    case ControlKind::Image:
        return std::make_unique<TImage>(form, spec);
    case ControlKind::Bevel:
        return std::make_unique<TBevel>(form, spec);
    case ControlKind::Timer:
        return std::make_unique<TTimer>(form, spec);
    case ControlKind::RadioGroup:
        return std::make_unique<TRadioGroup>(form, spec);
    case ControlKind::PageControl:
        return std::make_unique<TPageControl>(form, spec);
    case ControlKind::TabSheet:
        return std::make_unique<TTabSheet>(form, spec);
    case ControlKind::ListView:
        return std::make_unique<TListView>(form, spec);
    case ControlKind::Slider:
        return std::make_unique<TSlider>(form, spec);
    case ControlKind::SpinEdit:
        return std::make_unique<TSpinEdit>(form, spec);
    default:
        break;
    }
    throw tavrin::Error(std::string("no control class for ") + spec.name);
}

// ---- Subclass ----------------------------------------------------------------------------

void Subclass::Attach(HWND window, WNDPROC filter) {
    filter_ = filter;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filter)));
}

void Subclass::Detach(HWND window) {
    if (!original_ || !IsWindow(window)) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == filter_)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    original_ = nullptr;
}

LRESULT Subclass::Pass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!original_) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(original_, window, message, wParam, lParam);
}

// ---- TImageList --------------------------------------------------------------------------

TImageList::TImageList(int width, int height)
    : list_(late::ImageList_Create(width, height, ILC_COLOR4 | ILC_MASK, 25, 5)) {
    if (!list_) throw tavrin::Error("Out of system resources");
}

void TImageList::AddIcon(HICON icon) {
    late::ImageList_ReplaceIcon(list_.get(), -1, icon); // adds it
}

int TImageList::Count() const {
    return late::ImageList_GetImageCount(list_.get());
}

// ---- TPageControl ------------------------------------------------------------------------

TPageControl::~TPageControl() {
    subclass_.Detach(Handle());
}

const char* TPageControl::WindowClass() const {
    return CommonClass(WC_TABCONTROLA);
}

void TPageControl::AfterCreate() {
    subclass_.Attach(Handle(), PassNotifications);
}

// The tab control keeps the notifications of its children to itself; the sheets' controls
// need theirs to reach the form, like those of any other container.
LRESULT CALLBACK TPageControl::PassNotifications(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) return SendMessageA(GetParent(window), message, wParam, lParam);
    auto* self = ControlOf<TPageControl>(window);
    return self ? self->subclass_.Pass(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

void TPageControl::AddSheet(TTabSheet& sheet) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(sheet.Spec().caption);
    const int index = PageCount();
    SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    sheets_.push_back(&sheet);
    if (index == 0 && spec_.tabWidth > 0) {
        // Keep the height the control chose for the font; only the width is fixed.
        RECT tab = {};
        SendMessageA(Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
        const int width = Scaled(spec_.tabWidth, form_.Scale());
        SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(width, tab.bottom - tab.top));
    }
    const RECT area = DisplayArea();
    for (TTabSheet* page : sheets_)
        page->Place(area);
    ShowSelectedSheet();
}

RECT TPageControl::DisplayArea() const {
    RECT area;
    GetClientRect(Handle(), &area);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

TTabSheet* TPageControl::ActivePage() const {
    const auto selected = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    return selected >= 0 && selected < PageCount() ? Page(selected) : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
    const auto found = std::find(sheets_.begin(), sheets_.end(), sheet);
    if (found == sheets_.end()) return;
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(found - sheets_.begin()), 0);
    ShowSelectedSheet();
}

void TPageControl::ShowSelectedSheet() {
    TTabSheet* active = ActivePage();
    if (active) active->Show();
    for (TTabSheet* page : sheets_) {
        if (page == active) continue;
        // Keys must not go on to a control the user can no longer see.
        if (IsChild(page->Handle(), GetFocus())) ::SetFocus(Handle());
        page->Hide();
    }
}

LRESULT TPageControl::Notify(NMHDR& header) {
    if (header.code == TCN_SELCHANGE) ShowSelectedSheet();
    return 0;
}

// ---- TTabSheet ---------------------------------------------------------------------------

void TTabSheet::Create(TControl* parent, HWND parentWindow) {
    auto* page = dynamic_cast<TPageControl*>(parent);
    if (!page) throw tavrin::Error(std::string("tab sheet outside a page control: ") + spec_.name);
    TControl::Create(parent, parentWindow);
    page->AddSheet(*this);
}

// The sheet's bounds follow the page control's display area (in pixels), not the layout.
void TTabSheet::Place(const RECT& area) {
    bounds_ = {area.left, area.top, area.right - area.left, area.bottom - area.top};
    MoveWindow(Handle(), area.left, area.top, bounds_.width, bounds_.height, TRUE);
}

void TTabSheet::Paint(HDC dc) {
    Form().PaintChildren(dc, this);
}

// ---- TListView ---------------------------------------------------------------------------

TListView::~TListView() {
    subclass_.Detach(Handle());
}

const char* TListView::WindowClass() const {
    return CommonClass(WC_LISTVIEWA);
}

DWORD TListView::Style() const {
    // The image list belongs to the form: the list view must not destroy it.
    return LVS_ICON | LVS_ALIGNLEFT | LVS_SINGLESEL | LVS_NOLABELWRAP | LVS_SHAREIMAGELISTS;
}

void TListView::AfterCreate() {
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    const COLORREF background =
        spec_.colour == Colour::Default ? GetSysColor(COLOR_WINDOW) : ColourValue(spec_.colour);
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    // The spacing first: items are placed as they are inserted.
    FitOneRow();
    InsertItems();
    SendMessageA(Handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
    subclass_.Attach(Handle(), MouseFilter);
}

// A list lower than the system's icon spacing holds one row of items: the rows are made as
// high as the room above the horizontal scroll bar, so no vertical scroll bar appears.
void TListView::FitOneRow() {
    RECT client;
    GetClientRect(Handle(), &client);
    const int rowHeight = client.bottom - GetSystemMetrics(SM_CYHSCROLL);
    if (rowHeight <= 0 || rowHeight >= GetSystemMetrics(SM_CYICONSPACING)) return;
    SendMessageA(Handle(), LVM_SETICONSPACING, 0, MAKELPARAM(GetSystemMetrics(SM_CXICONSPACING), rowHeight));
}

void TListView::InsertItems() {
    const std::vector<std::string> captions = Lines(spec_.items);
    for (size_t k = 0; k < captions.size(); ++k) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = static_cast<int>(k);
        item.pszText = const_cast<char*>(captions[k].c_str());
        item.iImage = static_cast<int>(k);
        item.state = INDEXTOSTATEIMAGEMASK(1); // unchecked
        item.stateMask = LVIS_STATEIMAGEMASK;
        SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void TListView::SetLargeImages(const TImageList& images) {
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images.Handle()));
}

int TListView::Count() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

std::string TListView::Caption(int index) const {
    char text[64] = {};
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

bool TListView::Checked(int index) const {
    const auto state =
        SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void TListView::SetChecked(int index, bool checked) {
    LVITEMA item = {};
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

bool TListView::Selected(int index) const {
    return SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) != 0;
}

void TListView::SetSelected(int index, bool selected) {
    LVITEMA item = {};
    item.state = selected ? LVIS_SELECTED : 0;
    item.stateMask = LVIS_SELECTED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

RECT TListView::IconRect(int index) const {
    RECT r = {};
    r.left = LVIR_ICON;
    SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

LRESULT TListView::Notify(NMHDR& header) {
    if (header.code == static_cast<UINT>(NM_CLICK)) Click();
    return 0;
}

bool TListView::OnCheckBox(LPARAM point, int& item) const {
    LVHITTESTINFO hit = {};
    hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    item = static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return item >= 0 && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON;
}

// What a click on the picture does, so the check mark changes once, through the handler.
void TListView::ClickCheckBox(int item) {
    ::SetFocus(Handle());
    SetSelected(-1, false);
    LVITEMA state = {};
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    Click();
}

LRESULT CALLBACK TListView::MouseFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = ControlOf<TListView>(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        int item = -1;
        if (self->OnCheckBox(lParam, item)) {
            self->ClickCheckBox(item);
            return 0;
        }
        // The list view would swallow the second click of a quick pair as a double-click.
        message = WM_LBUTTONDOWN;
    }
    return self->subclass_.Pass(window, message, wParam, lParam);
}

// ---- TRadioGroup -------------------------------------------------------------------------

void TRadioGroup::AfterCreate() {
    const std::vector<std::string> captions = Lines(spec_.items);
    for (size_t i = 0; i < captions.size(); ++i) {
        // The first button starts the group the dialog manager's arrow keys move within.
        const DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
        UniqueWindow button(CreateWindowExA(0, "BUTTON", captions[i].c_str(), style, 0, 0, 0, 0, Handle(),
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)),
                                            ModuleInstance(), nullptr));
        if (!button) throw tavrin::Error(std::string("Error creating window ") + spec_.name);
        SendMessageA(button.get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
        buttons_.push_back(std::move(button));
    }
    ArrangeButtons();
    SetItemIndex(spec_.itemIndex);
}

// The buttons share the area below the caption: equal columns, equal rows, centred.
void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    TEXTMETRICA metrics = {};
    {
        WindowDc dc(Handle());
        SelectScope font(dc.get(), Font());
        GetTextMetricsA(dc.get(), &metrics);
    }
    const int count = Count();
    const int columns = std::max(1, spec_.columns);
    const int perColumn = (count + columns - 1) / columns;
    const int buttonWidth = (client.right - 10) / columns;
    const int room = client.bottom - metrics.tmHeight - 5;
    const int buttonHeight = room / perColumn;
    const int top = metrics.tmHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        MoveWindow(Button(i), (i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + top,
                   buttonWidth, buttonHeight, FALSE);
}

int TRadioGroup::ItemIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (SendMessageA(Button(i), BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    index = tavrin::ClampValue(index, -1, Count() - 1);
    for (int i = 0; i < Count(); ++i)
        SendMessageA(Button(i), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- TSlider -----------------------------------------------------------------------------

TSlider::TSlider(TForm& form, const ControlSpec& spec)
    : TControl(form, spec), range_{spec.minValue, spec.maxValue, spec.increment},
      value_(tavrin::ClampValue(spec.value, spec.minValue, spec.maxValue)) {}

TSlider::~TSlider() {
    if (Handle()) KillTimer(Handle(), kRepeatTimer);
}

const char* TSlider::WindowClass() const {
    static const bool registered = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = SliderProc; // no CS_DBLCLKS: every press is a press
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kSliderClass;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    return kSliderClass;
}

void TSlider::AfterCreate() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TSlider::SetValue(int value) {
    value = tavrin::ClampValue(value, range_.min, range_.max);
    if (value == value_) return;
    value_ = value;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

int TSlider::TrackStart() const {
    return kSliderMargin;
}

int TSlider::TrackLength() const {
    RECT client;
    GetClientRect(Handle(), &client);
    return std::max(0, static_cast<int>(client.right) - 2 * kSliderMargin - kThumbWidth);
}

int TSlider::ThumbWidth() const {
    return kThumbWidth;
}

int TSlider::TickTop() const {
    return kTickTop;
}

int TSlider::ThumbLeft() const {
    const long long span = static_cast<long long>(range_.max) - range_.min;
    if (span <= 0) return TrackStart();
    const long long moved = static_cast<long long>(value_ - range_.min) * TrackLength();
    return TrackStart() + static_cast<int>((2 * moved + span) / (2 * span)); // nearest pixel
}

std::vector<tavrin::TickMark> TSlider::Ticks() const {
    return tavrin::TickMarks(range_, TrackLength());
}

int TSlider::SideOfThumb(int x) const {
    if (x < ThumbLeft()) return -1;
    if (x >= ThumbLeft() + kThumbWidth) return +1;
    return 0;
}

void TSlider::StepToward(int side) {
    SetValue(side < 0 ? tavrin::StepLeft(value_, range_) : tavrin::StepRight(value_, range_));
}

void TSlider::MouseDown(int x) {
    ::SetFocus(Handle());
    SetCapture(Handle());
    lastX_ = x;
    const int side = SideOfThumb(x);
    if (side == 0) {
        dragging_ = true;
        grabOffset_ = x - ThumbLeft();
        return;
    }
    pressSide_ = side;
    StepToward(side);
    SetTimer(Handle(), kRepeatTimer, kRepeatMilliseconds, nullptr);
}

void TSlider::MouseMove(int x) {
    lastX_ = x;
    if (dragging_)
        SetValue(tavrin::ValueForDrag(x - grabOffset_ - TrackStart(), TrackLength(), range_.min, range_.max));
}

// A held press keeps stepping only while the pointer is still on the side it was pressed on.
void TSlider::RepeatStep() {
    if (pressSide_ != 0 && SideOfThumb(lastX_) == pressSide_) StepToward(pressSide_);
}

void TSlider::EndPress() {
    dragging_ = false;
    if (pressSide_ != 0) KillTimer(Handle(), kRepeatTimer);
    pressSide_ = 0;
}

bool TSlider::KeyDown(WPARAM key) {
    switch (key) {
    case VK_LEFT:
        SetValue(tavrin::StepLeft(value_, range_));
        return true;
    case VK_RIGHT:
        SetValue(tavrin::StepRight(value_, range_));
        return true;
    case VK_HOME:
        SetValue(tavrin::HomeValue(range_));
        return true;
    case VK_END:
        SetValue(tavrin::EndValue(range_));
        return true;
    }
    return false;
}

void TSlider::PaintSlider(HDC dc) const {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT channel = {TrackStart(), kChannelTop, TrackStart() + TrackLength() + kThumbWidth, kChannelBottom};
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    RECT thumb = {ThumbLeft(), kThumbTop, ThumbLeft() + kThumbWidth, kThumbTop + kThumbHeight};
    DrawFrameControl(dc, &thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    UniquePen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
    SelectScope selected(dc, pen.get());
    for (const tavrin::TickMark& tick : Ticks()) {
        const int x = TrackStart() + kThumbWidth / 2 + tick.offset;
        MoveToEx(dc, x, kTickTop, nullptr);
        LineTo(dc, x, kTickTop + tick.length);
    }
}

LRESULT TSlider::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        // Drawn off screen first, so dragging does not flicker.
        PaintScope paint(Handle());
        RECT client;
        GetClientRect(Handle(), &client);
        UniqueMemoryDc memory(CreateCompatibleDC(paint.get()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
        SelectScope selected(memory.get(), bitmap.get());
        PaintSlider(memory.get());
        BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        return 0;
    }
    case WM_LBUTTONDOWN:
        MouseDown(GET_X_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(GET_X_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        EndPress();
        if (GetCapture() == Handle()) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        EndPress();
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer) RepeatStep();
        return 0;
    case WM_KEYDOWN:
        if (KeyDown(wParam)) return 0;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK TSlider::SliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = ControlOf<TSlider>(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try { // the boundary, as a form's (TForm::WindowProc)
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        Application.ShowException(error);
        return 0;
    }
}

// ---- TSpinEdit ---------------------------------------------------------------------------

TSpinEdit::~TSpinEdit() {
    subclass_.Detach(Handle());
}

void TSpinEdit::AfterCreate() {
    if (spec_.maxLength > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(spec_.maxLength), 0);
    SetValue(spec_.value);
    subclass_.Attach(Handle(), EditFilter);
    // The buttons sit inside the edit's right end; the text stays clear of them.
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    buttons_.reset(CreateWindowExA(0, CommonClass(UPDOWN_CLASSA), "", WS_CHILD | WS_VISIBLE,
                                   client.right - width, 0, width, client.bottom, Handle(), nullptr,
                                   ModuleInstance(), nullptr));
    if (!buttons_) throw tavrin::Error(std::string("Error creating window ") + spec_.name);
    // A position away from both ends, so either button always asks; the steps are ours.
    SendMessageA(buttons_.get(), UDM_SETRANGE32, 0, 100);
    SendMessageA(buttons_.get(), UDM_SETPOS, 0, MAKELPARAM(50, 0)); // the 32-bit form needs 5.80
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

int TSpinEdit::Value() const {
    return tavrin::ValueOfText(Text());
}

void TSpinEdit::SetValue(int value) {
    SetText(std::to_string(tavrin::ClampValue(value, spec_.minValue, spec_.maxValue)));
}

void TSpinEdit::Step(bool up) {
    const tavrin::SpinRange range{spec_.minValue, spec_.maxValue};
    SetValue(up ? tavrin::StepUp(Value(), range) : tavrin::StepDown(Value(), range));
}

void TSpinEdit::ClampOnFocusLost() {
    const std::string text = Text();
    const std::string clamped = tavrin::TextOnFocusLost(text, {spec_.minValue, spec_.maxValue});
    if (clamped != text) SetText(clamped);
}

LRESULT CALLBACK TSpinEdit::EditFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = ControlOf<TSpinEdit>(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CHAR:
        if (!tavrin::AcceptsChar(static_cast<char>(wParam))) {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            self->Step(wParam == VK_UP);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        self->ClampOnFocusLost();
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == self->buttons_.get() && header->code == static_cast<UINT>(UDN_DELTAPOS)) {
            if (GetFocus() != window) ::SetFocus(window);
            self->Step(reinterpret_cast<NMUPDOWN*>(lParam)->iDelta > 0);
            return TRUE; // the buttons' own position never moves
        }
        break;
    }
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == self->buttons_.get()) return 0;
        break;
    }
    return self->subclass_.Pass(window, message, wParam, lParam);
}

} // namespace tk
