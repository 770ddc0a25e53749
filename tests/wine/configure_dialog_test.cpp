// The configuration dialog in-process under Wine: its layout, the load of every stored edge
// case into the widgets, the picture clicks, the slider and spin edit rules as a user meets
// them, and what "Save", "Cancel" and the close box leave in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/SliderRules.h"
#include "settings/Win32RegistryBackend.h"
#include "support/ConfigureDialog.h"
#include "support/MessageBoxCatcher.h"

namespace {

using testsupport::ConfigureDialog;
using testsupport::MessageBoxCatcher;
using testsupport::PumpApplicationFor;
using testsupport::PumpApplicationUntilIdle;
using testsupport::SaverValues;

// ---- registry -----------------------------------------------------------------------------

bool ProductKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, testsupport::kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

testsupport::RegValue Read(const char* name) {
    return testsupport::ProductKey().Get(name);
}

void ExpectDword(const char* name, DWORD expected) {
    const testsupport::RegValue value = Read(name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << name;
    ASSERT_EQ(value.bytes.size(), 4u) << name;
    DWORD number;
    std::memcpy(&number, value.bytes.data(), 4);
    EXPECT_EQ(number, expected) << name;
}

void ExpectDouble(const char* name, double expected) {
    const testsupport::RegValue value = Read(name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_BINARY)) << name;
    ASSERT_EQ(value.bytes.size(), 8u) << name;
    double number;
    std::memcpy(&number, value.bytes.data(), 8);
    EXPECT_EQ(number, expected) << name;
}

// Pic_01 .. Pic_25 as a bit set, checking each is a REG_DWORD of 0 or 1.
DWORD StoredPictures() {
    DWORD bits = 0;
    for (int n = 1; n <= 25; ++n) {
        const testsupport::RegValue value = Read(SaverValues::PictureValue(n).c_str());
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << n;
        if (value.bytes.size() != 4) continue;
        DWORD flag;
        std::memcpy(&flag, value.bytes.data(), 4);
        EXPECT_LE(flag, 1u) << n;
        bits |= (flag & 1u) << (n - 1);
    }
    return bits;
}

// The whole key as the save leaves it, from "Version" on.
void ExpectSaved(DWORD sensitivity, DWORD set, double cls, DWORD speed, DWORD background, DWORD pictures) {
    const testsupport::RegValue version = Read("Version");
    EXPECT_EQ(version.type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(version.bytes.c_str(), "2");
    ExpectDword("Sensitivity", sensitivity);
    ExpectDword("PictureSet", set);
    ExpectDouble("CLS", cls);
    ExpectDword("Speed", speed);
    ExpectDword("Background", background);
    EXPECT_EQ(StoredPictures(), pictures);
}

// The system registry, refusing the writes of one value, or ("*key*") to create the key.
class RefusingBackend : public tavrin::RegistryBackend {
  public:
    explicit RefusingBackend(std::string refused) : refused_(std::move(refused)) {}
    std::optional<Handle> Open(std::string_view path, bool create) override {
        if (create && refused_ == "*key*") return std::nullopt;
        return system_.Open(path, create);
    }
    void Close(Handle key) override { system_.Close(key); }
    tavrin::QueryResult Query(Handle key, std::string_view name, std::size_t size) override {
        return system_.Query(key, name, size);
    }
    bool Set(Handle key, std::string_view name, std::uint32_t type,
             std::span<const std::uint8_t> data) override {
        return name != refused_ && system_.Set(key, name, type, data);
    }

  private:
    tavrin::Win32RegistryBackend system_;
    std::string refused_;
};

// ---- input --------------------------------------------------------------------------------

void Press(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PumpApplicationUntilIdle();
}

void Release(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpApplicationUntilIdle();
}

void ClickAt(HWND window, POINT p) {
    Press(window, p.x, p.y);
    Release(window, p.x, p.y);
}

void Key(HWND window, WPARAM key) {
    SendMessageA(window, WM_KEYDOWN, key, 0);
    SendMessageA(window, WM_KEYUP, key, 0);
}

void Click(tk::TControl* button) {
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point of the item's check box, found through the list view's own hit test.
POINT CheckBoxPoint(const tk::TListView& list, int item) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(list.Handle(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&bounds));
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x) {
            LVHITTESTINFO hit = {};
            hit.pt = {x, y};
            if (SendMessageA(list.Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == item &&
                (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON)
                return {x, y};
        }
    ADD_FAILURE() << "item " << item << " shows no check box";
    return {};
}

POINT EmptyPoint(const tk::TListView& list) {
    RECT client;
    GetClientRect(list.Handle(), &client);
    for (int y = client.top; y < client.bottom; y += 2)
        for (int x = client.left; x < client.right; x += 2) {
            LVHITTESTINFO hit = {};
            hit.pt = {x, y};
            if (SendMessageA(list.Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0)
                return {x, y};
        }
    ADD_FAILURE() << "the list has no empty space";
    return {};
}

void ClickPicture(const tk::TListView& list, int item) {
    SendMessageA(list.Handle(), LVM_ENSUREVISIBLE, item, FALSE);
    ClickAt(list.Handle(), Centre(list.IconRect(item)));
}

void ClickTab(tk::TPageControl& pages, int index) {
    RECT tab;
    SendMessageA(pages.Handle(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab));
    ClickAt(pages.Handle(), Centre(tab));
}

DWORD Checks(const tk::TListView& list) {
    DWORD bits = 0;
    for (int k = 0; k < list.Count(); ++k)
        bits |= (list.Checked(k) ? 1u : 0u) << k;
    return bits;
}

// ---- layout -------------------------------------------------------------------------------

TEST_F(ConfigureDialog, FormAndButtons) {
    TFormConfigure& f = Open();
    EXPECT_EQ(f.ClientWidth(), 571);
    EXPECT_EQ(f.ClientHeight(), 296);
    const LONG style = GetWindowLongA(f.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    RECT r;
    GetWindowRect(f.Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    const struct {
        tk::TButton* button;
        const char* caption;
        BYTE charset;
    } buttons[] = {{f.ButtonOK, "Save", DEFAULT_CHARSET},
                   {f.ButtonC, "Cancel", DEFAULT_CHARSET},
                   {f.ButtonA, "About", CHINESEBIG5_CHARSET}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->Text(), b.caption);
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(b.button->Handle(), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_STREQ(font.lfFaceName, "Courier New") << b.caption;
        EXPECT_EQ(font.lfHeight, -19) << b.caption;
        EXPECT_EQ(font.lfWeight, FW_BOLD) << b.caption;
        EXPECT_EQ(font.lfCharSet, b.charset) << b.caption;
        // The hand-point cursor over the button.
        EXPECT_TRUE(SendMessageA(f.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b.button->Handle()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    }
}

// The form's own controls in tab order, and Tab walking the buttons.
TEST_F(ConfigureDialog, TabOrder) {
    TFormConfigure& f = Open();
    std::vector<HWND> order;
    for (HWND w = GetWindow(f.Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        order.push_back(w);
    const std::vector<HWND> expected = {f.SSSensitivity->Handle(),
                                        f.GroupBox1->Handle(),
                                        f.GroupBox2->Handle(),
                                        f.ButtonOK->Handle(),
                                        f.ButtonC->Handle(),
                                        f.ButtonA->Handle(),
                                        f.BackgroundRadioGroup->Handle(),
                                        f.PageControl1->Handle()};
    EXPECT_EQ(order, expected);
    f.ButtonOK->SetFocus();
    for (tk::TButton* next : {f.ButtonC, f.ButtonA}) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        PumpApplicationUntilIdle();
        EXPECT_EQ(GetFocus(), next->Handle());
    }
}

TEST_F(ConfigureDialog, PagesAndPictureLists) {
    TFormConfigure& f = Open();
    ASSERT_EQ(f.PageControl1->PageCount(), 5);
    EXPECT_TRUE(GetWindowLongA(f.PageControl1->Handle(), GWL_STYLE) & TCS_BOTTOM);
    for (int set = 1; set <= 5; ++set) {
        SCOPED_TRACE(set);
        char caption[16] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = sizeof caption;
        SendMessageA(f.PageControl1->Handle(), TCM_GETITEMA, set - 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::string(caption), "Set " + std::to_string(set));
        RECT tab;
        SendMessageA(f.PageControl1->Handle(), TCM_GETITEMRECT, set - 1, reinterpret_cast<LPARAM>(&tab));
        EXPECT_EQ(tab.right - tab.left, 86);
        const tk::Bounds& page = f.Sheet(set)->BoundsRect();
        EXPECT_GE(tab.top, page.top + page.height); // tabs below the pages

        const tk::TListView& list = *f.List(set);
        const LONG style = GetWindowLongA(list.Handle(), GWL_STYLE);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_ICON);
        EXPECT_EQ(style & (LVS_ALIGNMASK | LVS_SINGLESEL | LVS_NOLABELWRAP | LVS_EDITLABELS | WS_TABSTOP),
                  LVS_ALIGNLEFT | LVS_SINGLESEL | LVS_NOLABELWRAP);
        EXPECT_TRUE(SendMessageA(list.Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
        EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list.Handle(), LVM_GETBKCOLOR, 0, 0)),
                  GetSysColor(COLOR_BTNFACE));
        ASSERT_EQ(list.Count(), 25);
        for (int k = 0; k < 25; ++k) {
            const std::string expected = set == 1 && k == 22 ? " 23" : std::to_string(k + 1);
            EXPECT_EQ(list.Caption(k), expected);
            EXPECT_FALSE(list.Checked(k));
        }
        EXPECT_EQ(f.Sheet(set)->Visible(), set == 1);
    }
}

// Image k of list s draws like the resource "ICON_" + (25(s-1) + k + 1).
TEST_F(ConfigureDialog, ImageListsHoldThePicturesInOrder) {
    TFormConfigure& f = Open();
    const auto& lists = f.ImageLists;
    testsupport::Pixels fromList(32, 32), fromIcon(32, 32);
    for (int number = 1; number <= 125; ++number) {
        const tk::TImageList& list = lists[(number - 1) / 25];
        ASSERT_EQ(list.Count(), 25);
        fromList.Fill(RGB(1, 2, 3));
        fromIcon.Fill(RGB(1, 2, 3));
        ImageList_Draw(list.Handle(), (number - 1) % 25, fromList.dc(), 0, 0, ILD_NORMAL);
        const std::string name = "ICON_" + std::to_string(number);
        DrawIconEx(fromIcon.dc(), 0, 0, LoadIconA(GetModuleHandleA(nullptr), name.c_str()), 32, 32, 0,
                   nullptr, DI_NORMAL);
        GdiFlush();
        EXPECT_TRUE(fromList.SameAs(fromIcon)) << name;
    }
}

// ---- load ---------------------------------------------------------------------------------

struct Shown {
    int set = 1;      // active page
    DWORD checks = 0; // check marks of the active page's list
    bool keyboard = true, click = true, move = true;
    std::string cls = "12";
    int speed = 10;
    int background = 1;
};

struct LoadCase {
    const char* name;
    std::function<void()> store; // nullptr: no product key
    Shown shown;
};

// A complete key: set 1, no picture, every input kind, 10 minutes, pace 5, black; then the
// case's changes.
void Store(const std::function<void(SaverValues&)>& change, const char* version = "2") {
    SaverValues values;
    values.sensitivity = 111;
    values.pictureSet = 1;
    values.cls = 10.0;
    values.speed = 5;
    values.background = 0;
    values.pictures = 0;
    change(values);
    values.Write();
    testsupport::ProductKey().SetString("Version", version);
}

TEST_F(ConfigureDialog, LoadShowsStoredValuesWithEveryClamp) {
    const auto with = [](std::function<void(SaverValues&)> change, const char* version = "2") {
        return [change, version] { Store(change, version); };
    };
    const LoadCase cases[] = {
        {"no key", nullptr, {}},
        {"set 3 with pictures 1 and 25",
         with([](SaverValues& v) { v.pictureSet = 3, v.pictures = 0x1000001, v.speed = 7, v.cls = 12.4; }),
         {3, 0x1000001, true, true, true, "12", 7, 0}},
        {"version 1",
         with([](SaverValues& v) { v.speed = 40, v.background = 0; }, "1"),
         {1, 0, true, true, true, "10", 5, 1}},
        {"set 0",
         with([](SaverValues& v) { v.pictureSet = 0, v.pictures = 0xFF; }),
         {1, 0, true, true, true, "10", 5, 0}},
        {"set 6",
         with([](SaverValues& v) { v.pictureSet = 6, v.pictures = 0xFF; }),
         {1, 0, true, true, true, "10", 5, 0}},
        {"sensitivity 0, speed 1, CLS 0",
         with([](SaverValues& v) { v.sensitivity = 0, v.speed = 1, v.cls = 0; }),
         {1, 0, false, false, false, "1", 2, 0}},
        {"sensitivity 112, speed 150, CLS 75",
         with([](SaverValues& v) { v.sensitivity = 112, v.speed = 150, v.cls = 75; }),
         {1, 0, false, false, false, "60", 100, 0}},
        {"sensitivity 257, speed 65541, CLS 12.5",
         with([](SaverValues& v) { v.sensitivity = 257, v.speed = 65541, v.cls = 12.5, v.background = 9; }),
         {1, 0, true, false, false, "12", 5, 1}},
        {"sensitivity 110, background -1",
         with([](SaverValues& v) { v.sensitivity = 110, v.background = static_cast<DWORD>(-7); }),
         {1, 0, false, true, true, "10", 5, -1}},
        {"sensitivity 101",
         with([](SaverValues& v) { v.sensitivity = 101; }),
         {1, 0, true, false, true, "10", 5, 0}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::DeleteProductKey();
        if (c.store) c.store();
        TFormConfigure& f = Open();
        EXPECT_EQ(f.ActiveSet(), c.shown.set);
        EXPECT_TRUE(f.Sheet(c.shown.set)->Visible());
        for (int set = 1; set <= 5; ++set)
            EXPECT_EQ(Checks(*f.List(set)), set == c.shown.set ? c.shown.checks : 0u) << "set " << set;
        EXPECT_EQ(f.CheckBoxK->Checked(), c.shown.keyboard);
        EXPECT_EQ(f.CheckBoxCM->Checked(), c.shown.click);
        EXPECT_EQ(f.CheckBoxMM->Checked(), c.shown.move);
        EXPECT_EQ(f.RxSpinEditCLS->Text(), c.shown.cls);
        EXPECT_EQ(f.RxSliderSpeed->Value(), c.shown.speed);
        EXPECT_EQ(f.BackgroundRadioGroup->ItemIndex(), c.shown.background);
        tk::Application.ResetForTests();
    }
}

// ---- pictures -----------------------------------------------------------------------------

TEST_F(ConfigureDialog, EachClickOnAPictureFlipsItOnce) {
    TFormConfigure& f = Open();
    for (int set = 1; set <= 5; ++set) {
        SCOPED_TRACE(set);
        ClickTab(*f.PageControl1, set - 1);
        ASSERT_EQ(f.ActiveSet(), set);
        if (set > 1) { // the hidden list no longer takes keys
            Key(GetFocus(), VK_SPACE);
            EXPECT_EQ(Checks(*f.List(set - 1)), 1u << 4);
        }
        tk::TListView& list = *f.List(set);
        ClickPicture(list, 3);
        EXPECT_EQ(Checks(list), 1u << 3);
        EXPECT_FALSE(list.Selected(3));
        ClickAt(list.Handle(), CheckBoxPoint(list, 4)); // the check box itself
        EXPECT_EQ(Checks(list), 3u << 3);
        ClickPicture(list, 3);
        EXPECT_EQ(Checks(list), 1u << 4);
        ClickAt(list.Handle(), EmptyPoint(list));
        EXPECT_EQ(Checks(list), 1u << 4);
    }
    // Each list keeps its own marks.
    for (int set = 1; set <= 5; ++set)
        EXPECT_EQ(Checks(*f.List(set)), 1u << 4);
}

TEST_F(ConfigureDialog, QuickSecondClickCountsAsAClick) {
    TFormConfigure& f = Open();
    for (const bool onCheckBox : {false, true}) {
        SCOPED_TRACE(onCheckBox);
        const POINT p = onCheckBox ? CheckBoxPoint(*f.List(1), 2) : Centre(f.List(1)->IconRect(2));
        Press(f.List(1)->Handle(), p.x, p.y);
        Release(f.List(1)->Handle(), p.x, p.y);
        EXPECT_EQ(Checks(*f.List(1)), 1u << 2);
        PostMessageA(f.List(1)->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Release(f.List(1)->Handle(), p.x, p.y);
        EXPECT_EQ(Checks(*f.List(1)), 0u);
    }
}

// ---- slider and spin edit -----------------------------------------------------------------

TEST_F(ConfigureDialog, SliderKeysDragAndPresses) {
    TFormConfigure& f = Open();
    tk::TSlider& s = *f.RxSliderSpeed;
    const HWND w = s.Handle();
    const struct {
        int from;
        WPARAM key;
        int to;
    } keys[] = {{5, VK_RIGHT, 6},    {7, VK_RIGHT, 10}, {7, VK_LEFT, 6},  {3, VK_LEFT, 2},
                {99, VK_RIGHT, 100}, {10, VK_HOME, 2},  {10, VK_END, 100}};
    for (const auto& k : keys) {
        s.SetValue(k.from);
        Key(w, k.key);
        EXPECT_EQ(s.Value(), k.to) << k.from << " key " << k.key;
    }

    // Dragging: 2 + round(offset * 98 / track length), from wherever the thumb was grabbed.
    const int length = s.TrackLength(), grab = 3;
    for (const int offset : {0, 1, length / 3, length - 1, length, length + 40, -40}) {
        s.SetValue(50);
        const int x = s.ThumbLeft() + grab;
        Press(w, x, 10);
        PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(s.TrackStart() + offset + grab, 10));
        Release(w, s.TrackStart() + offset + grab, 10);
        EXPECT_EQ(s.Value(), tavrin::ValueForDrag(offset, length, 2, 100)) << offset;
    }

    // A held press beside the thumb: one step at once, then one every 400 ms while the
    // pointer stays on that side.
    s.SetValue(51);
    const int left = s.TrackStart();
    Press(w, left, 10);
    EXPECT_EQ(s.Value(), 50);
    PumpApplicationFor(600); // a fixed wait: the steps come with time
    EXPECT_EQ(s.Value(), 48);
    PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(s.ThumbLeft() + 20, 10)); // now right of it
    PumpApplicationFor(500); // a fixed wait: no step may come from this side
    EXPECT_EQ(s.Value(), 48);
    Release(w, left, 10);
    EXPECT_EQ(GetFocus(), w); // a press gives the slider the focus
}

// The ticks as drawn: 5 pixels at both ends, 3 between, where the tick rule puts them.
TEST_F(ConfigureDialog, SliderDrawsItsTickMarks) {
    TFormConfigure& f = Open();
    tk::TSlider& s = *f.RxSliderSpeed;
    UpdateWindow(s.Handle());
    RECT client;
    GetClientRect(s.Handle(), &client);
    testsupport::Pixels shot(client.right, client.bottom);
    shot.CopyFromWindow(s.Handle());
    const int tickTop = s.TickTop();
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const auto ticks = tavrin::TickMarks(tavrin::kSpeedSlider, s.TrackLength());
    ASSERT_GT(ticks.size(), 10u);
    int drawn = 0;
    for (int x = 0; x < client.right; ++x) {
        int length = 0;
        while (tickTop + length < client.bottom && shot.At(x, tickTop + length) == ink)
            ++length;
        if (length == 0) continue;
        ASSERT_LT(static_cast<size_t>(drawn), ticks.size()) << "extra tick at " << x;
        EXPECT_EQ(x, s.TrackStart() + s.ThumbWidth() / 2 + ticks[drawn].offset);
        EXPECT_EQ(length, ticks[drawn].length);
        ++drawn;
    }
    EXPECT_EQ(static_cast<size_t>(drawn), ticks.size());
}

TEST_F(ConfigureDialog, SpinEditTypingStepsAndFocusLoss) {
    TFormConfigure& f = Open();
    tk::TSpinEdit& spin = *f.RxSpinEditCLS;
    const HWND w = spin.Handle();
    const auto type = [&](const char* text) {
        spin.SetFocus();
        SetWindowTextA(w, "");
        for (const char* c = text; *c; ++c)
            SendMessageA(w, WM_CHAR, static_cast<unsigned char>(*c), 0);
        return spin.Text();
    };
    EXPECT_EQ(type("a5.x7"), "57");
    EXPECT_EQ(type("+-9"), "+-");
    EXPECT_EQ(type("123"), "12");

    const struct {
        const char* typed;
        const char* afterFocusLoss;
        int value;
    } focus[] = {{"75", "60", 60}, {"0", "1", 1},   {"-5", "1", 1},
                 {"-", "-", 1},    {"+7", "+7", 7}, {"42", "42", 42}};
    for (const auto& c : focus) {
        type(c.typed);
        f.ButtonC->SetFocus();
        EXPECT_EQ(spin.Text(), c.afterFocusLoss) << c.typed;
        EXPECT_EQ(spin.Value(), c.value) << c.typed;
    }

    const struct {
        int from;
        bool up;
        bool button;
        const char* to;
    } steps[] = {{12, true, false, "13"}, {60, true, false, "60"}, {1, false, false, "1"},
                 {12, true, true, "13"},  {60, true, true, "60"},  {1, false, true, "1"},
                 {30, false, true, "29"}};
    RECT buttons;
    GetClientRect(spin.Buttons(), &buttons);
    for (const auto& c : steps) {
        spin.SetValue(c.from);
        if (c.button)
            ClickAt(spin.Buttons(), {buttons.right / 2, c.up ? buttons.bottom / 4 : buttons.bottom * 3 / 4});
        else
            Key(w, c.up ? VK_UP : VK_DOWN);
        EXPECT_EQ(spin.Text(), c.to) << c.from << (c.up ? " up" : " down") << (c.button ? " button" : " key");
    }
}

// ---- save, cancel, close ------------------------------------------------------------------

TEST_F(ConfigureDialog, SaveWithoutAKeyWritesTheLayoutValuesAndEnds) {
    Click(Open().ButtonOK);
    EXPECT_TRUE(Ended());
    ExpectSaved(111, 1, 12.0, 10, 1, 0);
}

TEST_F(ConfigureDialog, SaveWritesWhatTheUserChose) {
    Store([](SaverValues& v) { v.pictureSet = 1, v.pictures = 0x10, v.speed = 7, v.cls = 12.4; });
    TFormConfigure& f = Open();
    ClickTab(*f.PageControl1, 2);
    ClickPicture(*f.List(3), 0);
    ClickPicture(*f.List(3), 24);
    ClickTab(*f.PageControl1, 1);
    ClickPicture(*f.List(2), 5); // another set's marks are not saved
    ClickTab(*f.PageControl1, 2);
    Click(f.CheckBoxK);
    Click(f.CheckBoxMM);
    SendMessageA(f.BackgroundRadioGroup->Button(0), BM_CLICK, 0, 0);
    Click(f.ButtonOK);
    EXPECT_TRUE(Ended());
    ExpectSaved(10, 3, 12.0, 7, 0, 0x1000001);
}

TEST_F(ConfigureDialog, SavedValuesFollowTheWidgetRules) {
    const struct {
        const char* name;
        std::function<void(TFormConfigure&)> act;
        DWORD sensitivity;
        double cls;
        DWORD speed;
    } cases[] = {
        {"no input kind",
         [](TFormConfigure& f) { Click(f.CheckBoxK), Click(f.CheckBoxCM), Click(f.CheckBoxMM); }, 111, 12,
         10},
        {"keyboard and move", [](TFormConfigure& f) { Click(f.CheckBoxCM); }, 101, 12, 10},
        {"typed 75", [](TFormConfigure& f) { f.RxSpinEditCLS->SetFocus(), f.RxSpinEditCLS->SetText("75"); },
         111, 60, 10},
        {"typed -", [](TFormConfigure& f) { f.RxSpinEditCLS->SetFocus(), f.RxSpinEditCLS->SetText("-"); },
         111, 1, 10},
        {"slider at end", [](TFormConfigure& f) { Key(f.RxSliderSpeed->Handle(), VK_END); }, 111, 12, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::DeleteProductKey();
        TFormConfigure& f = Open();
        c.act(f);
        Click(f.ButtonOK);
        EXPECT_TRUE(Ended());
        ExpectSaved(c.sensitivity, 1, c.cls, c.speed, 1, 0);
        tk::Application.ResetForTests();
    }
}

TEST_F(ConfigureDialog, RefusedWriteKeepsTheDialogOpen) {
    Store([](SaverValues& v) { v.cls = 30, v.speed = 40, v.background = 0; });
    ConfigureRegistry = [] { return std::make_unique<RefusingBackend>("Speed"); };
    TFormConfigure& f = Open();
    f.RxSpinEditCLS->SetValue(20);
    Key(f.RxSliderSpeed->Handle(), VK_END);
    f.BackgroundRadioGroup->SetItemIndex(1);
    MessageBoxCatcher catcher;
    Click(f.ButtonOK);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "Failed to set data for 'Speed'");
    EXPECT_NE(catcher.Boxes()[0].icon, nullptr);
    EXPECT_FALSE(Ended());
    EXPECT_TRUE(f.Visible());
    ExpectDouble("CLS", 20.0);    // written before the refusal
    ExpectDword("Speed", 40);     // refused
    ExpectDword("Background", 0); // not reached
}

TEST_F(ConfigureDialog, InaccessibleKeyIsReportedOnceAndEnds) {
    ConfigureRegistry = [] { return std::make_unique<RefusingBackend>("*key*"); };
    TFormConfigure& f = Open();
    MessageBoxCatcher catcher;
    Click(f.ButtonOK);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "Failure to access Registry.");
    EXPECT_EQ(catcher.Boxes()[0].caption, tk::Application.Title());
    EXPECT_EQ(catcher.Boxes()[0].icon, nullptr);
    EXPECT_EQ(catcher.Boxes()[0].buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(ProductKeyExists());
}

TEST_F(ConfigureDialog, CancelAndCloseBoxWriteNothing) {
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox);
        Store([](SaverValues& v) { v.pictureSet = 2, v.pictures = 0x3; });
        TFormConfigure& f = Open();
        ClickPicture(*f.List(2), 0);
        Click(f.CheckBoxK);
        Key(f.RxSliderSpeed->Handle(), VK_END);
        if (closeBox)
            SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            Click(f.ButtonC);
        EXPECT_TRUE(Ended());
        ExpectSaved(111, 2, 10.0, 5, 0, 0x3);
        tk::Application.ResetForTests();
    }
    testsupport::DeleteProductKey();
    Click(Open().ButtonC);
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(ProductKeyExists());
}

// Runs inside the About box's modal loop: notes what it sees and closes the box.
bool aboutSeen = false;
bool dialogDisabled = false;
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("TAboutBox", nullptr);
    if (!box || !IsWindowVisible(box) || aboutSeen) return;
    aboutSeen = true;
    dialogDisabled = !IsWindowEnabled(FormConfigure->Handle());
    PostMessageA(box, WM_CLOSE, 0, 0);
}

// "About" shows the About box modally over the dialog, which carries on afterwards.
TEST_F(ConfigureDialog, AboutShowsTheAboutBoxModally) {
    TFormConfigure& f = Open();
    aboutSeen = dialogDisabled = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseAboutBox);
    Click(f.ButtonA);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(aboutSeen);
    EXPECT_TRUE(dialogDisabled);
    EXPECT_TRUE(IsWindowEnabled(f.Handle()));
    EXPECT_FALSE(Ended());
}

} // namespace
