// The About box in-process under Wine, shown the way the configuration dialog shows it: its
// layout, the hints of the product name and credit line, and how it closes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "About.h"
#include "support/ApplicationPump.h"
#include "support/WindowFacts.h"
#include "support/WineTestSupport.h"
#include "toolkit/Hints.h"

namespace {

using testsupport::FontOf;
using testsupport::RectInParent;
using testsupport::TextOf;

// The forms run in the toolkit's own loop, where Tab, Enter and Escape go through the dialog
// manager.
using testsupport::PumpApplicationFor;
using testsupport::PumpApplicationUntil;

constexpr char kHint[] = "Go to Home Page...";

// Runs `action` once inside the box's modal loop, as soon as the box is on screen, and returns
// how ShowAboutBox ended. A box the action leaves open is closed after a few seconds.
class WhileShown {
  public:
    static tk::ModalResult Run(std::function<void(TAboutBox&)> action) {
        Action() = std::move(action);
        const UINT_PTR tick = SetTimer(nullptr, 0, 50, Tick);
        const UINT_PTR limit = SetTimer(nullptr, 0, 5000, Limit);
        const tk::ModalResult result = ShowAboutBox();
        KillTimer(nullptr, tick);
        KillTimer(nullptr, limit);
        return result;
    }

  private:
    static std::function<void(TAboutBox&)>& Action() {
        static std::function<void(TAboutBox&)> action;
        return action;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!AboutBox || !AboutBox->Visible() || !Action()) return;
        const auto action = std::exchange(Action(), nullptr);
        action(*AboutBox);
    }
    static void CALLBACK Limit(HWND, UINT, UINT_PTR, DWORD) {
        if (AboutBox) AboutBox->Close();
    }
};

// The text colour the box gives a label when the label asks how to paint itself.
COLORREF TextColourOf(HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

HCURSOR CursorOver(HWND form, HWND control) {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendMessageA(form, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

class AboutBoxTest : public ::testing::Test {
  protected:
    void SetUp() override { tk::Application.Initialize(); }
    void TearDown() override { tk::Application.ResetForTests(); }
};

struct ControlRow {
    const char* name;
    RECT bounds; // left, top, right, bottom within the parent
    const char* text;
};

TEST_F(AboutBoxTest, LayoutMatchesItsTable) {
    const ControlRow rows[] = {
        {"Panel1", {10, 8, 10 + 255, 8 + 137}, ""},
        {"ProductName", {96, 31, 96 + 122, 31 + 31}, "Tavrin 2.0"},
        {"Label1", {16, 104, 16 + 123, 104 + 16}, about::kCreditLine},
        {"OKButton", {168, 108, 168 + 81, 108 + 25}, "OK"},
    };
    WhileShown::Run([&](TAboutBox& box) {
        EXPECT_EQ(TextOf(box.Handle()), "About Screen Saver");
        EXPECT_EQ(box.ClientWidth(), 277) << "not scaled";
        EXPECT_EQ(box.ClientHeight(), 155);
        EXPECT_EQ(GetWindow(box.Handle(), GW_OWNER), tk::Application.Handle());
        RECT window;
        GetWindowRect(box.Handle(), &window);
        EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_TRUE(GetWindowLongA(box.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(GetWindowLongA(box.Handle(), GWL_STYLE) &
                     (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        for (const ControlRow& row : rows) {
            SCOPED_TRACE(row.name);
            HWND control = box.Find<tk::TControl>(row.name)->Handle();
            const RECT r = RectInParent(control);
            EXPECT_EQ(r.left, row.bounds.left);
            EXPECT_EQ(r.top, row.bounds.top);
            EXPECT_EQ(r.right, row.bounds.right);
            EXPECT_EQ(r.bottom, row.bounds.bottom);
            EXPECT_EQ(TextOf(control), row.text);
        }
        box.Close();
    });
}

TEST_F(AboutBoxTest, NameAndCreditLineLookLikeLinks) {
    WhileShown::Run([](TAboutBox& box) {
        HWND name = box.ProductName->Handle(), credit = box.Label1->Handle();
        const LOGFONTA nameFont = FontOf(name), creditFont = FontOf(credit);
        EXPECT_STREQ(nameFont.lfFaceName, "Times New Roman");
        EXPECT_EQ(nameFont.lfHeight, -27);
        EXPECT_TRUE(nameFont.lfItalic);
        EXPECT_EQ(TextColourOf(name), RGB(0, 0, 128));
        EXPECT_STREQ(creditFont.lfFaceName, "Arial");
        EXPECT_EQ(creditFont.lfHeight, -13);
        EXPECT_FALSE(creditFont.lfItalic);
        EXPECT_EQ(TextColourOf(credit), RGB(0, 0, 0));
        const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
        EXPECT_EQ(CursorOver(box.Handle(), name), hand);
        EXPECT_EQ(CursorOver(box.Handle(), credit), hand);
        EXPECT_NE(CursorOver(box.Handle(), box.Panel1->Handle()), hand);
        box.Close();
    });
}

TEST_F(AboutBoxTest, OkButtonIsTheDefaultAboveThePanelAndNoTabStop) {
    WhileShown::Run([](TAboutBox& box) {
        HWND ok = box.OKButton->Handle();
        const LONG style = GetWindowLongA(ok, GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_FALSE(style & WS_TABSTOP);
        EXPECT_STREQ(FontOf(ok).lfFaceName, "Courier New");
        EXPECT_EQ(FontOf(ok).lfHeight, -17);
        // The button overlaps the panel and must be the one that is seen and clicked there.
        RECT r = RectInParent(ok);
        const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        EXPECT_EQ(ChildWindowFromPointEx(box.Handle(), centre, CWP_SKIPINVISIBLE), ok);
        box.Close();
    });
}

// The program icon, stretched to its control, drawn inside the panel's frame.
TEST_F(AboutBoxTest, ProgramIconIsDrawnStretched) {
    WhileShown::Run([](TAboutBox& box) {
        UpdateWindow(box.Handle());
        UpdateWindow(box.Panel1->Handle());
        POINT origin = {29, 31};
        ClientToScreen(box.Panel1->Handle(), &origin);
        const int width = 36, height = 34;
        HDC screen = GetDC(nullptr);
        HDC shown = CreateCompatibleDC(screen), expected = CreateCompatibleDC(screen);
        HBITMAP shownBitmap = CreateCompatibleBitmap(screen, width, height);
        HBITMAP expectedBitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ oldShown = SelectObject(shown, shownBitmap),
                oldExpected = SelectObject(expected, expectedBitmap);
        BitBlt(shown, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        RECT all = {0, 0, width, height};
        FillRect(expected, &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawIconEx(expected, 0, 0, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"), width, height, 0,
                   nullptr, DI_NORMAL);
        int differing = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                differing += GetPixel(shown, x, y) != GetPixel(expected, x, y);
        EXPECT_EQ(differing, 0);
        SelectObject(shown, oldShown);
        SelectObject(expected, oldExpected);
        DeleteObject(shownBitmap);
        DeleteObject(expectedBitmap);
        DeleteDC(shown);
        DeleteDC(expected);
        ReleaseDC(nullptr, screen);
        box.Close();
    });
}

std::vector<TOOLINFOA> ToolsOf(HWND hints) {
    std::vector<TOOLINFOA> tools;
    const auto count = SendMessageA(hints, TTM_GETTOOLCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        static char text[2][80];
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.lpszText = text[i % 2];
        SendMessageA(hints, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
        tools.push_back(tool);
    }
    return tools;
}

TEST_F(AboutBoxTest, OnlyNameAndCreditLineHaveHints) {
    WhileShown::Run([](TAboutBox& box) {
        HWND hints = tk::HintWindow(box);
        ASSERT_NE(hints, nullptr);
        std::vector<UINT_PTR> ids;
        for (const TOOLINFOA& tool : ToolsOf(hints)) {
            ids.push_back(tool.uId);
            EXPECT_STREQ(tool.lpszText, kHint);
        }
        const std::vector<UINT_PTR> expected = {reinterpret_cast<UINT_PTR>(box.ProductName->Handle()),
                                                reinterpret_cast<UINT_PTR>(box.Label1->Handle())};
        EXPECT_EQ(ids, expected);
        box.Close();
    });
}

// The pointer resting on the product name brings its hint up; on the icon nothing comes.
TEST_F(AboutBoxTest, HintShowsWhenThePointerRestsOnTheName) {
    WhileShown::Run([](TAboutBox& box) {
        HWND hints = tk::HintWindow(box);
        ASSERT_NE(hints, nullptr);
        auto restOn = [&](HWND window, POINT point) {
            ClientToScreen(window, &point);
            SetCursorPos(point.x, point.y);
            return PumpApplicationUntil([&] { return IsWindowVisible(hints) != FALSE; }, 2500);
        };
        EXPECT_FALSE(restOn(box.Panel1->Handle(), {45, 45})) << "hint over the icon";
        RECT r;
        GetClientRect(box.ProductName->Handle(), &r);
        EXPECT_TRUE(restOn(box.ProductName->Handle(), {r.right / 2, r.bottom / 2}));
        EXPECT_EQ(TextOf(hints), kHint);
        SetCursorPos(0, 0);
        box.Close();
    });
}

// ---- closing ----------------------------------------------------------------------------------

TEST_F(AboutBoxTest, EnterAndTheOkButtonCloseWithOk) {
    const std::function<void(TAboutBox&)> ways[] = {
        [](TAboutBox&) {
            HWND focus = GetFocus();
            ASSERT_NE(focus, nullptr);
            PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 1);
        },
        [](TAboutBox& box) { SendMessageA(box.OKButton->Handle(), BM_CLICK, 0, 0); },
    };
    for (const auto& way : ways) {
        HWND shown = nullptr;
        EXPECT_EQ(WhileShown::Run([&](TAboutBox& box) {
                      shown = box.Handle();
                      way(box);
                  }),
                  tk::ModalResult::Ok);
        EXPECT_FALSE(IsWindow(shown)) << "the box is destroyed once closed";
        EXPECT_EQ(AboutBox, nullptr);
    }
}

TEST_F(AboutBoxTest, CloseBoxClosesWithCancel) {
    EXPECT_EQ(WhileShown::Run([](TAboutBox& box) { SendMessageA(box.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }),
              tk::ModalResult::Cancel);
}

// The configuration dialog stands disabled behind the box and gets the activation back.
TEST_F(AboutBoxTest, OtherFormsAreDisabledWhileItIsShown) {
    static constexpr tk::FormSpec kCaller = {
        .className = "TTestCaller", .caption = "Caller", .visible = true, .designBounds = {0, 0, 300, 200}};
    struct TCaller : tk::TForm {
        TCaller() : tk::TForm(kCaller) {}
    };
    TCaller* caller = tk::Application.CreateForm<TCaller>();
    ASSERT_TRUE(PumpApplicationUntil([&] { return GetActiveWindow() == caller->Handle(); }));
    bool callerEnabled = true;
    WhileShown::Run([&](TAboutBox& box) {
        callerEnabled = IsWindowEnabled(caller->Handle()) != FALSE;
        EXPECT_EQ(GetActiveWindow(), box.Handle());
        box.Close();
    });
    EXPECT_FALSE(callerEnabled);
    EXPECT_TRUE(IsWindowEnabled(caller->Handle()));
    EXPECT_TRUE(PumpApplicationUntil([&] { return GetActiveWindow() == caller->Handle(); }));
}

// Wine's shell hands web addresses to the commands listed here; "true" opens nothing.
class QuietBrowser {
  public:
    QuietBrowser() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegSetValueExA(key_, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>("true"), 5);
    }
    ~QuietBrowser() {
        RegDeleteValueA(key_, "Browsers");
        RegCloseKey(key_);
    }
    QuietBrowser(const QuietBrowser&) = delete;
    QuietBrowser& operator=(const QuietBrowser&) = delete;

  private:
    static constexpr char kKey[] = "Software\\Wine\\WineBrowser";
    HKEY key_ = nullptr;
};

// Clicking the name or the credit line asks the shell for the home page and leaves the box
// open; the shell's side is checked by the black-box scenario.
TEST_F(AboutBoxTest, ClickingTheLinksLeavesTheBoxOpen) {
    QuietBrowser browser;
    bool stillShown = false;
    WhileShown::Run([&](TAboutBox& box) {
        for (tk::TLabel* link : {box.ProductName, box.Label1}) {
            SendMessageA(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageA(link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        }
        PumpApplicationFor(300); // a fixed wait: the box must not close
        stillShown = box.Visible() && AboutBox == &box;
        box.Close();
    });
    EXPECT_TRUE(stillShown);
}

} // namespace
