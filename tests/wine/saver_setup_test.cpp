// The saver window in-process, against the real user32 and gdi32: its layout, the set-up and
// tear-down, and the timers the settings give.
#include <windows.h>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/Error.h"
#include "wine/support/MessageBoxCatcher.h"
#include "wine/support/SaverWindow.h"

namespace {

using namespace testsupport;

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

    // The password panel is made when it is first shown.
    EXPECT_EQ(form->Panel1->Handle(), nullptr);
    EXPECT_EQ(form->MaskEdit1->Handle(), nullptr);
    form->MakeDeferredControls();
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

TEST_F(SaverWindow, BackgroundIsScreenSized) {
    auto* form = Start();
    const SIZE background = BitmapSize(form->PictureShow.Surface());
    EXPECT_EQ(background.cx, ScreenWidth());
    EXPECT_EQ(background.cy, ScreenHeight());
}

// A taskbar on another monitor (Windows 8 and later) goes and comes back with the main one.
TEST_F(SaverWindow, SetUpTakesOverTheDesktopAndArmsTheWatch) {
    testsupport::SaverValues().Write();
    WNDCLASSA secondary = {};
    secondary.lpfnWndProc = DefWindowProcA;
    secondary.lpszClassName = "Shell_SecondaryTrayWnd";
    RegisterClassA(&secondary);
    tk::UniqueWindow bar(CreateWindowExA(WS_EX_TOOLWINDOW, secondary.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                                         0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr));
    auto* form = Start();
    EXPECT_FALSE(IsWindowVisible(bar.get()));
    EXPECT_TRUE(testsupport::SaverFlag());
    EXPECT_FALSE(testsupport::TaskbarVisible());
    EXPECT_TRUE(static_cast<bool>(tk::Application.OnMessage));
    EXPECT_TRUE(SaverInputWatch.Armed());
    EXPECT_EQ(GetActiveWindow(), form->Handle());

    form->ExitScreenSaver();
    ExpectDesktopGivenBack();
    EXPECT_TRUE(IsWindowVisible(bar.get()));
}

// No pointer over the saver's own area; the panel's controls keep theirs.
TEST_F(SaverWindow, PointerIsHiddenOverTheWindowOnly) {
    testsupport::SaverValues values;
    values.Write();
    auto* form = Start();
    form->MakeDeferredControls();
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

UINT_PTR WINAPI NoTimers(HWND, UINT_PTR, UINT, TIMERPROC) {
    return 0;
}

// A set-up step that fails (here: no timer for the pace) is reported, and the input filter is
// armed all the same, so the saver can still be ended.
TEST_F(SaverWindow, FailedSetUpStepStillArmsTheInputFilter) {
    testsupport::SaverValues().Write();
    auto* form = Start();
    tk::Application.OnMessage = nullptr;
    SaverInputWatch.Disarm();
    form->TimerSpeed->SetEnabled(false);
    {
        ImportHook noTimers("user32.dll", "SetTimer", reinterpret_cast<void*>(NoTimers));
        EXPECT_THROW(form->FormActivate(), tavrin::Error);
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

} // namespace
