// The saver window in-process, against the real user32 and gdi32: its layout, the set-up and
// tear-down, the background, stamping and cleaning, the settings load failures, the input
// watch and the password panel.
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Unit1.h"
#include "core/PanelGeometry.h"
#include "core/PictureTick.h"
#include "core/Random.h"
#include "wine/support/MessageBoxCatcher.h"
#include "wine/support/ResourceCounts.h"
#include "wine/support/ApplicationPump.h"
#include "wine/support/WineTestSupport.h"

namespace {

using testsupport::MessageBoxCatcher;
using testsupport::Pixels;
using testsupport::ScreenHeight;
using testsupport::ScreenWidth;

constexpr char kWrongPasswordText[] = "The passwort that you typed is not correct.\r\nTray typig it again.";
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr LPARAM kKeyA = 0x001E0001; // repeat count 1, scan code of A

using testsupport::PumpApplicationFor;
using testsupport::PumpApplicationUntil;

std::string Describe(const MessageBoxCatcher& catcher) {
    std::string out;
    for (const auto& box : catcher.Boxes())
        out += "[" + box.caption + ": " + box.text + "] ";
    return out.empty() ? "no box" : out;
}

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

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
        int n = 0;
        for (UINT m : received_)
            n += m == message ? 1 : 0;
        return n;
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

class SaverWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        tk::Application.Initialize();
        tk::Application.SetTitle("Tavrin");
        testsupport::DeleteProductKey();
        testsupport::SetUsePassword(0);
        testsupport::ClearSaverFlag();
        testsupport::ShowTaskbar();
        ClipCursor(nullptr);
        // The unit's variables as at process start.
        SaverSettings = {};
        SaverInputWatch = {};
        SaverClipRect = {};
        ASSERT_TRUE(testsupport::TaskbarVisible())
            << "the test session must run Wine's \"shell\" desktop, which has a taskbar";
        ASSERT_FALSE(testsupport::SaverFlag());
    }

    void TearDown() override {
        tk::Application.ResetForTests();
        tk::SystemMetric = [](int index) { return GetSystemMetrics(index); };
        ClipCursor(nullptr);
        testsupport::ClearSaverFlag();
        testsupport::ShowTaskbar();
        testsupport::DeleteProductKey();
        testsupport::SetUsePassword(0);
    }

    // Creates the saver as the program does and lets it settle (first paint, the spurious
    // mouse move Wine sends after a window shows).
    TFormScreenSaver* Start() {
        auto* form = tk::Application.CreateForm<TFormScreenSaver>();
        PumpApplicationFor(150);
        return form;
    }

    // Pressing a key, as far as the input watch can tell.
    void PostKey(TFormScreenSaver* form, WPARAM key = 'A') {
        PostMessageA(form->Handle(), WM_KEYDOWN, key, kKeyA);
        PumpApplicationFor(60);
    }

    static void Type(tk::TControl* edit, const std::string& text) {
        for (char c : text)
            SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    static void Click(tk::TControl* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }

    static void ExpectDesktopGivenBack() {
        EXPECT_FALSE(testsupport::SaverFlag()) << "the screen-saver flag must be cleared";
        EXPECT_TRUE(testsupport::TaskbarVisible()) << "the taskbar must be shown again";
        EXPECT_TRUE(SameRect(SaverClipRect, RECT{})) << "the pointer must be released";
    }
};

// ---- layout and set-up --------------------------------------------------------------------

TEST_F(SaverWindow, LayoutCoversTheScreenWithABorderlessTopMostWindow) {
    auto* form = Start();
    HWND window = form->Handle();
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "ScreenSaverWindow");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_SYSMENU), 0);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(SameRect(WindowRect(window), RECT{0, 0, ScreenWidth(), ScreenHeight()}))
        << Text(WindowRect(window));

    EXPECT_FALSE(IsWindowVisible(form->Panel1->Handle()));
    const RECT panel = WindowRect(form->Panel1->Handle());
    EXPECT_EQ(panel.right - panel.left, 280);
    EXPECT_EQ(panel.bottom - panel.top, 74);
    EXPECT_EQ(SendMessageA(form->MaskEdit1->Handle(), EM_GETLIMITTEXT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(form->MaskEdit1->Handle(), EM_GETPASSWORDCHAR, 0, 0), '#');
    EXPECT_EQ(form->Label1->Text(), "Type your screen saver password:");
    EXPECT_EQ(form->ButtonOK->Text(), "OK");
    EXPECT_EQ(form->ButtonCancel->Text(), "Cancel");
    EXPECT_EQ(form->TimerShowPanel->Interval(), 30000u);
    EXPECT_FALSE(form->TimerShowPanel->Enabled());
}

TEST_F(SaverWindow, BothPicturesAreScreenSized) {
    auto* form = Start();
    const tk::Bounds bounds = form->Backgroundimage->BoundsRect();
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.width, ScreenWidth());
    EXPECT_EQ(bounds.height, ScreenHeight());
    EXPECT_EQ(form->Backgroundimage->PictureWidth(), ScreenWidth());
    EXPECT_EQ(form->Backgroundimage->PictureHeight(), ScreenHeight());
    EXPECT_EQ(form->SaveBackground->PictureWidth(), ScreenWidth());
    EXPECT_EQ(form->SaveBackground->PictureHeight(), ScreenHeight());
}

TEST_F(SaverWindow, SetUpTakesOverTheDesktopAndArmsTheWatch) {
    testsupport::SaverValues().Write();
    auto* form = Start();
    EXPECT_TRUE(testsupport::SaverFlag());
    EXPECT_FALSE(testsupport::TaskbarVisible());
    EXPECT_TRUE(static_cast<bool>(tk::Application.OnMessage));
    EXPECT_TRUE(SaverInputWatch.Armed());
    EXPECT_EQ(GetActiveWindow(), form->Handle());

    form->ExitScreenSaver();
    ExpectDesktopGivenBack();
}

// No pointer over the saver's own area; the panel's controls keep theirs.
TEST_F(SaverWindow, PointerIsHiddenOverTheWindowOnly) {
    testsupport::SaverValues values;
    values.Write();
    auto* form = Start();
    SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    SendMessageA(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), nullptr);
    SendMessageA(form->MaskEdit1->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->MaskEdit1->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
}

TEST_F(SaverWindow, CloseRequestGivesTheDesktopBackAndEndsTheProgram) {
    testsupport::SaverValues().Write();
    auto* form = Start();
    ASSERT_TRUE(testsupport::SaverFlag());
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpApplicationUntil([] { return tk::Application.Terminated(); }, 2000));
    ExpectDesktopGivenBack();
}

// An unhandled fault after the set-up still gives the desktop back: the set-up installs a
// process-wide filter that runs the tear-down before the system ends the process.
TEST_F(SaverWindow, UnhandledFaultAfterSetUpGivesTheDesktopBack) {
    testsupport::SaverValues().Write();
    Start();
    ASSERT_TRUE(testsupport::SaverFlag());
    const LPTOP_LEVEL_EXCEPTION_FILTER filter = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(filter);
    ASSERT_NE(filter, nullptr);
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    CONTEXT context = {};
    EXCEPTION_POINTERS pointers = {&record, &context};
    EXPECT_EQ(filter(&pointers), EXCEPTION_CONTINUE_SEARCH) << "the fault must still end the process";
    ExpectDesktopGivenBack();
}

// A set-up step that fails (here: no GDI object left for the copy of the background) is
// reported, and the input filter is armed all the same, so the saver can still be ended.
TEST_F(SaverWindow, FailedSetUpStepStillArmsTheInputFilter) {
    testsupport::SaverValues().Write();
    auto* form = Start();
    tk::Application.OnMessage = nullptr;
    SaverInputWatch.Disarm();
    {
        std::vector<HBRUSH> taken; // every GDI object the process may still create
        while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)))
            taken.push_back(brush);
        EXPECT_THROW(form->FormActivate(), tavrin::Error);
        for (HBRUSH brush : taken)
            DeleteObject(brush);
    }
    EXPECT_TRUE(SaverInputWatch.Armed());
    PostKey(form);
    PostKey(form);
    EXPECT_TRUE(tk::Application.Terminated());
    ExpectDesktopGivenBack();
}

// ---- timers -------------------------------------------------------------------------------

struct TimerCase {
    DWORD speed;
    double cls;
    UINT paceInterval;
    bool paceRuns;
    UINT cleaningInterval;
    bool cleaningRuns;
};

class SaverTimers : public SaverWindow, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(SaverTimers, IntervalsComeFromTheSettings) {
    const TimerCase& c = GetParam();
    testsupport::SaverValues values;
    values.speed = c.speed;
    values.cls = c.cls;
    values.Write();
    MessageBoxCatcher catcher;
    auto* form = Start();
    EXPECT_TRUE(catcher.Boxes().empty()) << Describe(catcher);
    EXPECT_EQ(form->TimerSpeed->Interval(), c.paceInterval);
    EXPECT_EQ(form->TimerSpeed->Running(), c.paceRuns);
    EXPECT_EQ(form->TimerCLS->Interval(), c.cleaningInterval);
    EXPECT_EQ(form->TimerCLS->Running(), c.cleaningRuns);
    EXPECT_FALSE(form->TimerShowPanel->Running());
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Settings, SaverTimers,
    ::testing::Values(TimerCase{5, 10.0, 500, true, 600000, true}, TimerCase{0, 10.0, 0, false, 600000, true},
                      TimerCase{1, 1.0, 100, true, 60000, true},
                      TimerCase{100, 12.0, 10000, true, 720000, true},
                      TimerCase{65535, 60.0, 6553500, true, 3600000, true},
                      TimerCase{5, 2.5, 500, true, 120000, true}, TimerCase{5, 1.5, 500, true, 120000, true},
                      TimerCase{5, 0.51, 500, true, 60000, true}, TimerCase{5, 0.5, 500, true, 0, false},
                      TimerCase{5, 0.0, 500, true, 0, false}, TimerCase{5, -3.0, 500, true, 0, false},
                      TimerCase{5, kNaN, 500, true, 0, false}, TimerCase{5, kInf, 500, true, 0, false},
                      TimerCase{5, -kInf, 500, true, 0, false},
                      TimerCase{5, 35791.0, 500, true, 2147460000u, true},
                      TimerCase{5, 35792.0, 500, true, 0x7FFFFFFFu, true},
                      TimerCase{5, 1e300, 500, true, 0x7FFFFFFFu, true}),
    [](const auto& info) {
        return "Row" + std::to_string(info.index) + "Speed" + std::to_string(info.param.speed);
    });

// ---- background -------------------------------------------------------------------------

class SaverBlackBackground : public SaverWindow, public ::testing::WithParamInterface<DWORD> {};

TEST_P(SaverBlackBackground, IsBlackInThePictureAndOnTheScreen) {
    testsupport::SaverValues values;
    values.background = GetParam();
    values.speed = 0;
    values.Write();
    auto* form = Start();
    UpdateWindow(form->Handle());
    Pixels picture(ScreenWidth(), ScreenHeight());
    picture.CopyFrom(form->Backgroundimage->Canvas());
    EXPECT_EQ(picture.CountOther(kBlack), 0);
    Pixels window(ScreenWidth(), ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_EQ(window.CountOther(kBlack), 0) << "the window does not show the black background";
}

INSTANTIATE_TEST_SUITE_P(NotDesktop, SaverBlackBackground, ::testing::Values(0u, 2u, 255u));

TEST_F(SaverWindow, DesktopBackgroundHoldsTheScreenAsItWasAtStart) {
    testsupport::SaverValues values;
    values.background = 1;
    values.speed = 0;
    values.Write();
    constexpr COLORREF kColour = RGB(200, 30, 90);
    const RECT area = {100, 120, 300, 260};
    Pixels before(ScreenWidth(), ScreenHeight());
    TFormScreenSaver* form = nullptr;
    {
        testsupport::ColouredWindow coloured(kColour, area);
        PumpApplicationFor(200);
        HDC screen = GetDC(nullptr);
        before.CopyFrom(screen);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(before.At(150, 150), kColour) << "the coloured window is not on the screen";
        form = Start();
    }
    PumpApplicationFor(100);
    Pixels picture(ScreenWidth(), ScreenHeight());
    picture.CopyFrom(form->Backgroundimage->Canvas());
    EXPECT_EQ(picture.At(150, 150), kColour);
    EXPECT_EQ(picture.At(area.left, area.top), kColour);
    EXPECT_EQ(picture.At(area.right - 1, area.bottom - 1), kColour);
    EXPECT_NE(picture.At(area.right, area.bottom), kColour);
    EXPECT_TRUE(picture.SameAs(before)) << "the picture is not the screen as it was before the saver showed";

    // The coloured window is gone, but the saver keeps showing it: the desktop is frozen.
    UpdateWindow(form->Handle());
    Pixels window(ScreenWidth(), ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(window.SameAs(before)) << "the window does not show the captured desktop";
}

// ---- stamping and cleaning -----------------------------------------------------------------

struct StampCase {
    const char* name;
    DWORD pictureSet;
    DWORD pictures;        // bit k enables Pic_(k+1)
    std::vector<int> only; // the picture numbers that may appear; empty: none at all
};

class SaverStamps : public SaverWindow, public ::testing::WithParamInterface<StampCase> {};

// Each tick draws the predicted icon, through its mask, at the predicted place of the window's
// surface, and nowhere else; the background picture is left alone; a cleaning tick wipes it all.
TEST_P(SaverStamps, EachTickStampsOnePictureThroughItsMask) {
    const StampCase& c = GetParam();
    testsupport::SaverValues values;
    values.background = 0;
    values.speed = 0; // the test ticks by itself
    values.pictureSet = c.pictureSet;
    values.pictures = c.pictures;
    values.Write();
    auto* form = Start();
    UpdateWindow(form->Handle());

    const int width = ScreenWidth(), height = ScreenHeight();
    tavrin::Random predictor(0x5EED1234u);
    tavrin::SharedRandom().Seed(0x5EED1234u);
    std::vector<bool> stamped(static_cast<size_t>(width) * height, false);
    int changed = 0;
    for (int tick = 0; tick < 40; ++tick) {
        const tavrin::Stamp stamp = tavrin::NextStamp(predictor, width, height, SaverSettings.ActivePictures,
                                                      SaverSettings.ActiveCount, SaverSettings.PictureSet);
        Pixels expected(32, 32), actual(32, 32);
        expected.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
        const bool drawn = !c.only.empty();
        if (drawn) {
            ASSERT_NE(std::find(c.only.begin(), c.only.end(), stamp.pictureNumber), c.only.end())
                << "tick " << tick << " chose picture " << stamp.pictureNumber;
            HICON icon = LoadIconA(GetModuleHandleA(nullptr),
                                   tavrin::PictureResourceName(stamp.pictureNumber).c_str());
            ASSERT_NE(icon, nullptr);
            DrawIcon(expected.dc(), 0, 0, icon);
            GdiFlush();
        }
        Pixels previous(32, 32);
        previous.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
        form->Timer1Timer();
        actual.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
        ASSERT_TRUE(actual.SameAs(expected)) << "tick " << tick << ": picture " << stamp.pictureNumber
                                             << " not drawn as expected at " << stamp.x << ", " << stamp.y;
        changed += actual.SameAs(previous) ? 0 : 1;
        for (int y = stamp.y; y < std::min(stamp.y + 32, height); ++y)
            for (int x = stamp.x; x < std::min(stamp.x + 32, width); ++x)
                stamped[y * width + x] = true;
    }
    if (!c.only.empty()) {
        EXPECT_GT(changed, 0);
    }

    Pixels window(width, height);
    window.CopyFromWindow(form->Handle());
    int outside = 0, margin = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (window.At(x, y) == kBlack) continue;
            outside += stamped[y * width + x] ? 0 : 1;
            margin += (x < 10 || y < 10) ? 1 : 0;
        }
    EXPECT_EQ(outside, 0) << "pixels changed outside the stamps";
    EXPECT_EQ(margin, 0) << "a stamp touched the leftmost or topmost 10 pixels";

    Pixels picture(width, height);
    picture.CopyFrom(form->Backgroundimage->Canvas());
    EXPECT_EQ(picture.CountOther(kBlack), 0) << "stamps must not be drawn into the background picture";

    form->TimerCLSTimer();
    UpdateWindow(form->Handle());
    window.CopyFromWindow(form->Handle());
    EXPECT_EQ(window.CountOther(kBlack), 0) << "the cleaning tick did not wipe the stamps";
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

INSTANTIATE_TEST_SUITE_P(Pictures, SaverStamps,
                         ::testing::Values(StampCase{"Set2Third", 2, 1u << 2, {28}},
                                           StampCase{"Set5All", 5, 0x1FFFFFF, Range(101, 125)},
                                           StampCase{"Set1Last2", 1, (1u << 23) | (1u << 24), {24, 25}},
                                           StampCase{"Set3NoneEnabled", 3, 0, {51}},
                                           StampCase{"Set4First", 4, 1, {76}},
                                           StampCase{"SetOutOfRange", 7, 1, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaverWindow, CleaningRestoresTheCapturedDesktop) {
    testsupport::SaverValues values;
    values.background = 1;
    values.speed = 0;
    values.Write();
    TFormScreenSaver* form = nullptr;
    {
        testsupport::ColouredWindow coloured(RGB(20, 160, 220), RECT{200, 200, 700, 500});
        PumpApplicationFor(200);
        form = Start();
    }
    UpdateWindow(form->Handle());
    Pixels background(ScreenWidth(), ScreenHeight()), window(ScreenWidth(), ScreenHeight());
    background.CopyFrom(form->Backgroundimage->Canvas());
    for (int i = 0; i < 300; ++i)
        form->Timer1Timer();
    window.CopyFromWindow(form->Handle());
    ASSERT_FALSE(window.SameAs(background)) << "no stamp appeared";
    form->TimerCLSTimer();
    UpdateWindow(form->Handle());
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(window.SameAs(background));
}

// The pace timer stamps by itself once the set-up has run.
TEST_F(SaverWindow, PaceTimerStampsPictures) {
    testsupport::SaverValues values;
    values.background = 0;
    values.speed = 1;
    values.Write();
    auto* form = Start();
    Pixels window(ScreenWidth(), ScreenHeight());
    EXPECT_TRUE(PumpApplicationUntil(
        [&] {
            window.CopyFromWindow(form->Handle());
            return window.CountOther(kBlack) > 0;
        },
        3000));
}


// Stamping and cleaning many times leaves the process's GDI and USER objects where they were.
TEST_F(SaverWindow, LongRunLeaksNoObjects) {
    testsupport::SaverValues values;
    values.background = 0;
    values.speed = 0;
    values.Write();
    auto* form = Start();
    for (int i = 0; i < 100; ++i)
        form->Timer1Timer(); // first-use allocations
    form->TimerCLSTimer();
    PumpApplicationFor(50);
    const long gdiBefore = testsupport::GdiObjectCount(), userBefore = testsupport::UserObjectMeasure();
    ASSERT_GT(gdiBefore, 0) << "cannot count GDI objects here";
    ASSERT_GT(userBefore, 0) << "cannot measure USER objects here";
    for (int i = 0; i < 10000; ++i) {
        form->Timer1Timer();
        if (i % 1000 == 999) {
            form->TimerCLSTimer();
            PumpApplicationFor(1);
        }
    }
    PumpApplicationFor(50);
    const long gdiAfter = testsupport::GdiObjectCount(), userAfter = testsupport::UserObjectMeasure();
    EXPECT_LE(gdiAfter, gdiBefore + 10) << gdiBefore << " -> " << gdiAfter;
    EXPECT_LE(userAfter, userBefore + 10) << userBefore << " -> " << userAfter;
    RecordProperty("gdi_before", gdiBefore);
    RecordProperty("gdi_after", gdiAfter);
    RecordProperty("user_before", userBefore);
    RecordProperty("user_after", userAfter);
}

// ---- settings load ------------------------------------------------------------------------

struct LoadFailureCase {
    const char* name;
    void (*prepare)();
    const char* message;
    UINT paceInterval;
    UINT cleaningInterval;
    std::uint8_t background;
    std::uint8_t activeCount;
    std::uint8_t sensitivity;
};

void OnlyPassword() {
    testsupport::ProductKey().SetString("Password", "abc");
}
void ClsAsDword() {
    testsupport::SaverValues values;
    values.speed = 7;
    values.background = 0;
    values.Write();
    testsupport::ProductKey().SetDword("CLS", 3);
}
void SensitivityAsText() {
    testsupport::SaverValues values;
    values.speed = 3;
    values.cls = 2.0;
    values.background = 0;
    values.Write();
    testsupport::ProductKey().SetString("Sensitivity", "1");
}
void PictureSevenMissing() {
    testsupport::SaverValues values;
    values.speed = 2;
    values.cls = 4.0;
    values.background = 0;
    values.pictures = 1u << 1; // of Pic_01..Pic_06 only Pic_02
    values.Write();
    testsupport::ProductKey().Delete("Pic_07");
}

class SaverLoadFailure : public SaverWindow, public ::testing::WithParamInterface<LoadFailureCase> {};

// After a failed load the error box names the value; the fields read keep their values, every
// other field takes the saver's no-key value, and the saver covers the screen and runs.
TEST_P(SaverLoadFailure, ErrorBoxThenTheSaverRunsWithDefaultsForWhatWasNotRead) {
    const LoadFailureCase& c = GetParam();
    c.prepare();
    MessageBoxCatcher catcher;
    // Looked at before any message is handled: with every kind of input on, the pointer moves
    // Wine sends after the box closes and the window shows could end the saver at once.
    auto* form = tk::Application.CreateForm<TFormScreenSaver>();
    ASSERT_EQ(catcher.Boxes().size(), 1u) << Describe(catcher);
    EXPECT_EQ(catcher.Boxes()[0].text, c.message);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Tavrin");
    EXPECT_EQ(catcher.Boxes()[0].icon, LoadIconA(nullptr, IDI_HAND));

    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(SameRect(WindowRect(form->Handle()), RECT{0, 0, ScreenWidth(), ScreenHeight()}));
    EXPECT_EQ(form->Backgroundimage->PictureWidth(), ScreenWidth());
    EXPECT_EQ(form->Backgroundimage->PictureHeight(), ScreenHeight());
    EXPECT_EQ(form->TimerSpeed->Interval(), c.paceInterval);
    EXPECT_TRUE(form->TimerSpeed->Running());
    EXPECT_EQ(form->TimerCLS->Interval(), c.cleaningInterval);
    EXPECT_TRUE(form->TimerCLS->Running());
    EXPECT_EQ(SaverSettings.Sensitivity, c.sensitivity);
    EXPECT_EQ(SaverSettings.Background, c.background);
    EXPECT_EQ(SaverSettings.ActiveCount, c.activeCount);
    EXPECT_GE(SaverSettings.PictureSet, 1);
    EXPECT_LE(SaverSettings.PictureSet, 5);
    EXPECT_TRUE(testsupport::SaverFlag());
    EXPECT_TRUE(SaverInputWatch.Armed());
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SaverLoadFailure,
    ::testing::Values(LoadFailureCase{"OnlyPassword", OnlyPassword, "Failed to get data for 'PictureSet'",
                                      500, 600000, 1, 25, 111},
                      LoadFailureCase{"ClsAsDword", ClsAsDword, "Invalid data type for 'CLS'", 700, 600000, 1,
                                      25, 111},
                      LoadFailureCase{"SensitivityAsText", SensitivityAsText,
                                      "Invalid data type for 'Sensitivity'", 300, 120000, 0, 25, 111},
                      LoadFailureCase{"PictureSevenMissing", PictureSevenMissing,
                                      "Failed to get data for 'Pic_07'", 200, 240000, 0, 20, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsePasswordCase {
    const char* name;
    void (*prepare)();
    bool usePassword;
};

void UsePasswordMissing() {
    testsupport::RemoveUsePassword();
}
void UsePasswordAsText() {
    testsupport::RegKey::Create(testsupport::kDesktopKey).SetString("ScreenSaveUsePassword", "1");
}
void UsePasswordAsBinary() {
    const BYTE one[4] = {1, 0, 0, 0};
    testsupport::RegKey::Create(testsupport::kDesktopKey).Set("ScreenSaveUsePassword", REG_BINARY, one, 4);
}
void UsePasswordOn() {
    testsupport::SetUsePassword(1);
}
void UsePasswordTwo() {
    testsupport::SetUsePassword(2);
}
void UsePasswordOff() {
    testsupport::SetUsePassword(0);
}

class SaverUsePassword : public SaverWindow, public ::testing::WithParamInterface<UsePasswordCase> {};

// The system's option missing or of another type reads as off, and the load goes on: no error,
// the settings are used, and (option off) the stored password is erased.
TEST_P(SaverUsePassword, OptionIsReadWithoutEndingTheLoad) {
    const UsePasswordCase& c = GetParam();
    testsupport::SaverValues values;
    values.speed = 3;
    values.Write();
    testsupport::ProductKey().SetString("Password", "abc");
    c.prepare();
    MessageBoxCatcher catcher;
    auto* form = Start();
    EXPECT_TRUE(catcher.Boxes().empty()) << Describe(catcher);
    EXPECT_EQ(SaverSettings.UsePassword, c.usePassword);
    EXPECT_EQ(form->TimerSpeed->Interval(), 300u);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(testsupport::ProductKey().Get("Password", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::string stored(data.begin(), std::find(data.begin(), data.end(), BYTE{0}));
    EXPECT_EQ(stored, c.usePassword ? "abc" : "");
    EXPECT_EQ(SaverSettings.Password, c.usePassword ? "abc" : "");
}

INSTANTIATE_TEST_SUITE_P(Desktop, SaverUsePassword,
                         ::testing::Values(UsePasswordCase{"Missing", UsePasswordMissing, false},
                                           UsePasswordCase{"Text", UsePasswordAsText, false},
                                           UsePasswordCase{"Binary", UsePasswordAsBinary, false},
                                           UsePasswordCase{"Off", UsePasswordOff, false},
                                           UsePasswordCase{"On", UsePasswordOn, true},
                                           UsePasswordCase{"Two", UsePasswordTwo, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SensitivityCase {
    DWORD stored;
    std::uint8_t used;
};

class SaverSensitivity : public SaverWindow, public ::testing::WithParamInterface<SensitivityCase> {};

// Only the low 8 bits count, and a code that lets no input end the saver is taken as 111.
TEST_P(SaverSensitivity, StoredCodeAsUsed) {
    testsupport::SaverValues values;
    values.sensitivity = GetParam().stored;
    values.Write();
    Start();
    EXPECT_EQ(SaverSettings.Sensitivity, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Codes, SaverSensitivity,
                         ::testing::Values(SensitivityCase{1, 1}, SensitivityCase{10, 10},
                                           SensitivityCase{11, 11}, SensitivityCase{100, 100},
                                           SensitivityCase{101, 101}, SensitivityCase{110, 110},
                                           SensitivityCase{111, 111}, SensitivityCase{0, 111},
                                           SensitivityCase{5, 111}, SensitivityCase{12, 111},
                                           SensitivityCase{112, 111}, SensitivityCase{257, 1},
                                           SensitivityCase{256, 111}),
                         [](const auto& info) { return "Stored" + std::to_string(info.param.stored); });

// ---- input watch --------------------------------------------------------------------------

TEST_F(SaverWindow, FirstKeyReachesTheWindowTheSecondEndsTheSaver) {
    testsupport::SaverValues values;
    values.sensitivity = 1;
    values.Write();
    auto* form = Start();
    WindowRecorder recorder(form->Handle());

    PostKey(form);
    EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1) << "the ignored first key must reach the window";
    EXPECT_FALSE(tk::Application.Terminated());
    EXPECT_TRUE(testsupport::SaverFlag());
    EXPECT_FALSE(SaverInputWatch.FirstEventPending());

    PostKey(form);
    EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1) << "the key that ends the saver must not reach the window";
    EXPECT_TRUE(tk::Application.Terminated()) << "no quit request after the second key";
    ExpectDesktopGivenBack();
}

struct InputCase {
    DWORD sensitivity;
    UINT message;
    WPARAM wParam;
    bool counts;
};

class SaverInput : public SaverWindow, public ::testing::WithParamInterface<InputCase> {};

// Two messages of one kind: they end the saver exactly when the kind is on.
TEST_P(SaverInput, TwoMessagesEndTheSaverOnlyWhenTheirKindIsOn) {
    const InputCase& c = GetParam();
    testsupport::SaverValues values;
    values.sensitivity = c.sensitivity;
    values.Write();
    auto* form = Start();
    SaverInputWatch.Arm(); // start from a fresh arming, whatever Wine sent while settling
    for (int i = 0; i < 2; ++i) {
        PostMessageA(form->Handle(), c.message, c.wParam,
                     c.message == WM_KEYDOWN ? kKeyA : MAKELPARAM(300, 300));
        PumpApplicationFor(60);
    }
    EXPECT_EQ(tk::Application.Terminated(), c.counts);
    EXPECT_EQ(testsupport::SaverFlag(), !c.counts);
    if (!c.counts) {
        EXPECT_TRUE(SaverInputWatch.FirstEventPending()) << "the ignored first event was used up";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SaverInput,
    ::testing::Values(
        InputCase{1, WM_KEYDOWN, 'A', true}, InputCase{1, WM_MOUSEMOVE, 0, false},
        InputCase{1, WM_LBUTTONDOWN, MK_LBUTTON, false}, InputCase{1, WM_KEYUP, 'A', false},
        InputCase{1, WM_CHAR, 'a', false}, InputCase{1, WM_SYSKEYDOWN, VK_F10, false},
        InputCase{10, WM_LBUTTONDOWN, MK_LBUTTON, true}, InputCase{10, WM_RBUTTONDOWN, MK_RBUTTON, true},
        InputCase{10, WM_MBUTTONDOWN, MK_MBUTTON, true}, InputCase{10, WM_LBUTTONUP, 0, false},
        InputCase{10, WM_LBUTTONDBLCLK, MK_LBUTTON, false}, InputCase{10, WM_MOUSEWHEEL, 0, false},
        InputCase{10, WM_KEYDOWN, 'A', false}, InputCase{10, WM_MOUSEMOVE, 0, false},
        InputCase{100, WM_MOUSEMOVE, 0, true}, InputCase{100, WM_KEYDOWN, 'A', false},
        InputCase{100, WM_RBUTTONDOWN, MK_RBUTTON, false}, InputCase{111, WM_SYSKEYDOWN, VK_F10, false},
        InputCase{111, WM_LBUTTONDBLCLK, MK_LBUTTON, false},
        InputCase{111, WM_RBUTTONDBLCLK, MK_RBUTTON, false}, InputCase{111, WM_LBUTTONDOWN, MK_LBUTTON, true},
        InputCase{5, WM_KEYDOWN, 'A', true}),
    [](const auto& info) {
        char name[64];
        std::snprintf(name, sizeof name, "Row%zu_Sensitivity%lu_Message%04X", info.index,
                      static_cast<unsigned long>(info.param.sensitivity), info.param.message);
        return std::string(name);
    });

// With keys only, mouse input neither ends the saver nor uses up the ignored first key.
TEST_F(SaverWindow, KeyboardOnlyIgnoresTheMouseAndKeepsTheFirstKeyPending) {
    testsupport::SaverValues values;
    values.sensitivity = 1;
    values.Write();
    auto* form = Start();
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE})
        PostMessageA(form->Handle(), message, 0, MAKELPARAM(10, 10));
    PumpApplicationFor(60);
    PostKey(form);
    EXPECT_FALSE(tk::Application.Terminated()) << "mouse input used up the ignored first key";
    PostKey(form);
    EXPECT_TRUE(tk::Application.Terminated());
}

// ---- password panel -----------------------------------------------------------------------

class SaverPassword : public SaverWindow {
  protected:
    TFormScreenSaver* StartProtected(const std::string& password = "Secret") {
        testsupport::SaverValues values;
        values.sensitivity = 1;
        values.background = 0;
        values.Write();
        testsupport::ProductKey().SetString("Password", password);
        testsupport::SetUsePassword(1);
        return Start();
    }
    // Two keys: the first is ignored, the second brings the panel.
    void AskForPassword(TFormScreenSaver* form) {
        PostKey(form);
        PostKey(form);
        ASSERT_TRUE(form->Panel1->Visible()) << "two keys did not bring the panel";
    }

    void ExpectAsking(TFormScreenSaver* form) {
        EXPECT_TRUE(IsWindowVisible(form->Panel1->Handle()));
        EXPECT_FALSE(form->TimerCLS->Running()) << "no cleaning while the panel is shown";
        EXPECT_TRUE(form->TimerShowPanel->Running());
        EXPECT_FALSE(static_cast<bool>(tk::Application.OnMessage)) << "the input filter must be removed";
        EXPECT_TRUE(form->TimerSpeed->Running());
        EXPECT_FALSE(tk::Application.Terminated());
        EXPECT_TRUE(testsupport::SaverFlag());
        EXPECT_FALSE(testsupport::TaskbarVisible());
    }

    void ExpectWatching(TFormScreenSaver* form) {
        EXPECT_FALSE(IsWindowVisible(form->Panel1->Handle()));
        EXPECT_TRUE(form->TimerCLS->Running());
        EXPECT_EQ(form->TimerCLS->Interval(), 600000u);
        EXPECT_FALSE(form->TimerShowPanel->Enabled());
        EXPECT_TRUE(static_cast<bool>(tk::Application.OnMessage));
        EXPECT_TRUE(SaverInputWatch.Armed());
        EXPECT_TRUE(SaverInputWatch.FirstEventPending());
        EXPECT_TRUE(SameRect(SaverClipRect, RECT{})) << "the pointer must be released";
        EXPECT_NE(GetFocus(), form->MaskEdit1->Handle());
        EXPECT_FALSE(tk::Application.Terminated());
    }
};

TEST_F(SaverPassword, SecondKeyShowsTheCentredPanelAndHoldsThePointer) {
    auto* form = StartProtected();
    AskForPassword(form);
    ExpectAsking(form);
    const tavrin::PanelPlacement place = tavrin::PlacePanel(ScreenWidth(), ScreenHeight(), 280, 74);
    EXPECT_TRUE(SameRect(WindowRect(form->Panel1->Handle()),
                         RECT{place.left, place.top, place.left + 280, place.top + 74}))
        << Text(WindowRect(form->Panel1->Handle()));
    EXPECT_EQ(GetFocus(), form->MaskEdit1->Handle());
    EXPECT_TRUE(SameRect(SaverClipRect, RECT{place.left, place.top + 1, place.left + 280, place.top + 74}))
        << Text(SaverClipRect);
    if (ScreenWidth() == 1024 && ScreenHeight() == 768) {
        EXPECT_TRUE(SameRect(WindowRect(form->Panel1->Handle()), RECT{372, 347, 652, 421}));
        EXPECT_TRUE(SameRect(SaverClipRect, RECT{372, 348, 652, 421}));
    }
}

TEST_F(SaverPassword, WithoutStoredPasswordTheSecondKeyEndsTheSaver) {
    auto* form = StartProtected("");
    PostKey(form);
    PostKey(form);
    EXPECT_FALSE(form->Panel1->Visible());
    EXPECT_TRUE(tk::Application.Terminated());
    ExpectDesktopGivenBack();
}

struct AnswerCase {
    const char* stored;
    const char* typed;
    bool right;
};

class SaverPasswordAnswer : public SaverPassword, public ::testing::WithParamInterface<AnswerCase> {};

// The right password (same length, same characters, same case) ends the saver; anything else
// shows the warning and the panel stays with the typed text.
TEST_P(SaverPasswordAnswer, OkChecksTheTypedPassword) {
    const AnswerCase& c = GetParam();
    auto* form = StartProtected(c.stored);
    AskForPassword(form);
    Type(form->MaskEdit1, c.typed);
    const std::string inEdit = form->MaskEdit1->Text();
    EXPECT_LE(inEdit.size(), 20u);
    MessageBoxCatcher catcher;
    Click(form->ButtonOK);
    PumpApplicationFor(60);
    if (c.right) {
        EXPECT_TRUE(catcher.Boxes().empty()) << Describe(catcher);
        EXPECT_TRUE(tk::Application.Terminated());
        ExpectDesktopGivenBack();
        return;
    }
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, kWrongPasswordText);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Warning");
    EXPECT_EQ(catcher.Boxes()[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    ExpectAsking(form);
    EXPECT_EQ(GetFocus(), form->MaskEdit1->Handle());
    EXPECT_EQ(form->MaskEdit1->Text(), inEdit) << "the typed text must be kept";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SaverPasswordAnswer,
    ::testing::Values(AnswerCase{"Secret", "Secret", true}, AnswerCase{"Secret", "secret", false},
                      AnswerCase{"Secret", "SECRET", false}, AnswerCase{"Secret", "", false},
                      AnswerCase{"Secret", "Secre", false}, AnswerCase{"Secret", "Secrets", false},
                      AnswerCase{"Secret", "Secret ", false},
                      AnswerCase{"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST", true},
                      // A longer stored password is matched by its first 20 characters, the
                      // most the edit takes.
                      AnswerCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
                      AnswerCase{"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRST", true},
                      AnswerCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRS", false},
                      AnswerCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrst", false},
                      // Control characters cannot be typed into the edit; a stored password
                      // holding them is matched by the rest.
                      AnswerCase{"Se\tcr\x01" "et", "Secret", true}, AnswerCase{"Se\tcret", "Se", false}),
    [](const auto& info) {
        return "Row" + std::to_string(info.index) + (info.param.right ? "Right" : "Wrong");
    });

// A second monitor, 640 pixels wide, left of the primary one: the saver covers both, and the
// panel and the pointer stay on the primary monitor.
TEST_F(SaverPassword, TwoMonitorsAreCoveredAndThePanelStaysOnThePrimary) {
    const int width = ScreenWidth(), height = ScreenHeight();
    tk::SystemMetric = [](int index) {
        if (index == SM_XVIRTUALSCREEN) return -640;
        if (index == SM_CXVIRTUALSCREEN) return GetSystemMetrics(SM_CXSCREEN) + 640;
        return GetSystemMetrics(index == SM_CYVIRTUALSCREEN ? SM_CYSCREEN : index);
    };
    auto* form = StartProtected();
    EXPECT_TRUE(SameRect(WindowRect(form->Handle()), RECT{-640, 0, width, height})) << Text(WindowRect(form->Handle()));
    EXPECT_EQ(form->Backgroundimage->PictureWidth(), width + 640);
    EXPECT_EQ(form->SaveBackground->PictureWidth(), width + 640);
    AskForPassword(form);
    const tavrin::PanelPlacement place = tavrin::PlacePanel(width, height, 280, 74);
    EXPECT_TRUE(SameRect(WindowRect(form->Panel1->Handle()),
                         RECT{place.left, place.top, place.left + 280, place.top + 74}))
        << Text(WindowRect(form->Panel1->Handle()));
    EXPECT_TRUE(SameRect(SaverClipRect, RECT{place.clip.left, place.clip.top, place.clip.right, place.clip.bottom}));
}

// Alt+F4 or a WM_CLOSE from any program asks for the password; with the panel up, ignored.
TEST_F(SaverPassword, CloseRequestsAskForThePassword) {
    auto* form = StartProtected();
    const std::pair<UINT, WPARAM> requests[] = {{WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}};
    for (auto [message, wParam] : requests) {
        PostMessageA(form->Handle(), message, wParam, 0);
        PumpApplicationFor(60);
        ExpectAsking(form);
        EXPECT_EQ(GetFocus(), form->MaskEdit1->Handle());
    }
}

// The modal warning gives the activation back without running the set-up again: the background
// is not captured again.
TEST_F(SaverPassword, WrongPasswordDoesNotRunTheSetUpAgain) {
    auto* form = StartProtected();
    AskForPassword(form);
    constexpr COLORREF kMarker = RGB(1, 2, 3);
    SetPixel(form->Backgroundimage->Canvas(), 5, 5, kMarker);
    Type(form->MaskEdit1, "wrong");
    MessageBoxCatcher catcher;
    Click(form->ButtonOK);
    PumpApplicationFor(100);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(GetPixel(form->Backgroundimage->Canvas(), 5, 5), kMarker);
    EXPECT_FALSE(static_cast<bool>(tk::Application.OnMessage)) << "the set-up armed the filter again";
}

TEST_F(SaverPassword, EnterAndEscapeInTheEditPressNoButton) {
    auto* form = StartProtected();
    AskForPassword(form);
    Type(form->MaskEdit1, "Secret");
    MessageBoxCatcher catcher;
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageA(form->MaskEdit1->Handle(), WM_KEYDOWN, key, 1);
        PostMessageA(form->MaskEdit1->Handle(), WM_KEYUP, key, 0xC0000001);
        PumpApplicationFor(100);
    }
    EXPECT_TRUE(catcher.Boxes().empty()) << Describe(catcher);
    ExpectAsking(form);
    EXPECT_EQ(form->MaskEdit1->Text(), "Secret");
}

TEST_F(SaverPassword, TabMovesThroughEditOkAndCancel) {
    auto* form = StartProtected();
    AskForPassword(form);
    ASSERT_EQ(GetFocus(), form->MaskEdit1->Handle());
    std::vector<HWND> order;
    for (int i = 0; i < 3; ++i) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC00F0001);
        PumpApplicationFor(60);
        order.push_back(GetFocus());
    }
    EXPECT_EQ(order, (std::vector<HWND>{form->ButtonOK->Handle(), form->ButtonCancel->Handle(),
                                        form->MaskEdit1->Handle()}));
}

enum class PutAway { CancelButton, TimeOutHandler, TimeOut };

class SaverPanelPutAway : public SaverPassword, public ::testing::WithParamInterface<PutAway> {};

// Cancel, the time-out handler and the real time-out all put the panel away the same way: the
// saver watches again from a fresh arming, cleans again, and keeps the typed text.
TEST_P(SaverPanelPutAway, SaverGoesBackToWatching) {
    auto* form = StartProtected();
    if (GetParam() == PutAway::TimeOut) form->TimerShowPanel->SetInterval(150);
    AskForPassword(form);
    Type(form->MaskEdit1, "abc");
    SaverClipRect = RECT{1, 2, 3, 4};
    switch (GetParam()) {
    case PutAway::CancelButton:
        Click(form->ButtonCancel);
        break;
    case PutAway::TimeOutHandler:
        form->TimerShowPanelTimer();
        break;
    case PutAway::TimeOut:
        ASSERT_TRUE(PumpApplicationUntil([&] { return !form->Panel1->Visible(); }, 3000));
        break;
    }
    PumpApplicationFor(60);
    ExpectWatching(form);
    EXPECT_EQ(form->MaskEdit1->Text(), "abc");

    // The first key is ignored again; the second brings the panel back with the text.
    PostKey(form);
    EXPECT_FALSE(form->Panel1->Visible());
    PostKey(form);
    EXPECT_TRUE(form->Panel1->Visible());
    EXPECT_EQ(form->MaskEdit1->Text(), "abc");
    EXPECT_EQ(GetFocus(), form->MaskEdit1->Handle());
}

std::string PutAwayName(const ::testing::TestParamInfo<PutAway>& info) {
    switch (info.param) {
    case PutAway::CancelButton:
        return "CancelButton";
    case PutAway::TimeOutHandler:
        return "TimeOutHandler";
    case PutAway::TimeOut:
        return "TimeOut";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(Ways, SaverPanelPutAway,
                         ::testing::Values(PutAway::CancelButton, PutAway::TimeOutHandler, PutAway::TimeOut),
                         PutAwayName);

// The countdown restarts when the wrong-password message is closed, not when it opens.
TEST_F(SaverPassword, WrongPasswordRestartsTheCountdownWhenTheMessageCloses) {
    auto* form = StartProtected();
    form->TimerShowPanel->SetInterval(2000);
    AskForPassword(form);
    Type(form->MaskEdit1, "wrong");
    {
        MessageBoxCatcher catcher({}, 1400); // the box stays open about 1.4 s
        Click(form->ButtonOK);
        ASSERT_EQ(catcher.Boxes().size(), 1u);
    }
    // Without the restart the panel would go about 0.6 s after the message closed.
    PumpApplicationFor(1200);
    EXPECT_TRUE(form->Panel1->Visible()) << "the countdown was not restarted when the message closed";
    EXPECT_TRUE(PumpApplicationUntil([&] { return !form->Panel1->Visible(); }, 4000))
        << "the restarted countdown never ran out";
}

// The time-out runs out while the wrong-password message is open: when it is closed, the saver
// is back to watching; the countdown is not restarted and the hidden edit gets no focus.
TEST_F(SaverPassword, TimeOutWhileTheWrongPasswordMessageIsOpen) {
    auto* form = StartProtected();
    form->TimerShowPanel->SetInterval(150);
    AskForPassword(form);
    Type(form->MaskEdit1, "wrong");
    bool hiddenBeforeClose = false;
    std::string activeWhileOpen;
    bool focusInBox = false;
    {
        MessageBoxCatcher catcher({}, 800);
        // After the time-out, with the message still open: it must still be the active window
        // (the time-out must not pull the saver over it), holding the keyboard focus.
        RunLater look(500, [&] {
            char cls[16] = {};
            HWND active = GetActiveWindow();
            GetClassNameA(active, cls, sizeof cls);
            activeWhileOpen = cls;
            focusInBox = GetFocus() == active || IsChild(active, GetFocus());
        });
        Click(form->ButtonOK);
        hiddenBeforeClose = !form->Panel1->Visible();
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].text, kWrongPasswordText);
    }
    ASSERT_TRUE(hiddenBeforeClose) << "the time-out did not fire while the message was open";
    EXPECT_EQ(activeWhileOpen, "#32770") << "the message lost the activation to the time-out";
    EXPECT_TRUE(focusInBox) << "the message lost the keyboard focus to the time-out";
    PumpApplicationFor(60);
    ExpectWatching(form);
    PumpApplicationFor(400);
    EXPECT_FALSE(form->Panel1->Visible());
    EXPECT_FALSE(form->TimerShowPanel->Enabled());
}

// Pictures keep coming while the panel is shown, but none is drawn over it.
TEST_F(SaverPassword, StampsGoAroundTheVisiblePanel) {
    auto* form = StartProtected();
    AskForPassword(form);
    SetFocus(form->ButtonCancel->Handle()); // no blinking caret in the picture
    RedrawWindow(form->Panel1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpApplicationFor(100);
    const RECT panel = WindowRect(form->Panel1->Handle());
    const int width = panel.right - panel.left, height = panel.bottom - panel.top;
    Pixels before(width, height), after(width, height);
    before.CopyFromWindow(form->Panel1->Handle());
    for (int i = 0; i < 3000; ++i)
        form->Timer1Timer();
    after.CopyFromWindow(form->Panel1->Handle());
    EXPECT_TRUE(after.SameAs(before)) << "a stamp was drawn over the panel";
    Pixels window(ScreenWidth(), ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_GT(window.CountOther(kBlack), 0) << "no stamps at all";
}

} // namespace
