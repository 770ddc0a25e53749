// The single-instance guard as the first copy sees it: the application window is hooked,
// the activation request brings the main window forward (restoring it when minimised),
// every other message reaches the previous window procedure unchanged, and shut-down puts
// the previous procedure back.
#include "MultRun.h"
#include "Unit3.h"
#include "toolkit/Toolkit.h"
#include "wine/support/ApplicationPump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testsupport::PumpApplicationUntilIdle;

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> seenByPrevious;
WNDPROC originalProc = nullptr;

// Stands in for the application window's own procedure, recording what reaches it.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0xC000 && message <= 0xFFFF) {
        seenByPrevious.push_back({message, wParam, lParam});
        return 789;
    }
    return CallWindowProcA(originalProc, window, message, wParam, lParam);
}

class GuardTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tk::Application.Initialize();
        HWND app = tk::Application.Handle();
        originalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(app, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
        MultRunStartup();
    }
    void SetUp() override { seenByPrevious.clear(); }
    void TearDown() override { tk::Application.ResetForTests(); }
};

TEST_F(GuardTest, FirstCopyClaimsTheNameAndHooksTheApplicationWindow) {
    EXPECT_FALSE(AnotherCopyRunning());
    EXPECT_EQ(ActivateMessage, RegisterWindowMessageA("Tavrin_ScreenSaver(c)Brennholt"));
    HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "Tavrin_ScreenSaver(c)Brennholt");
    ASSERT_NE(mutex, nullptr) << "the instance name is not claimed";
    CloseHandle(mutex);
    EXPECT_EQ(GetWindowLongPtrA(tk::Application.Handle(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(GuardWindowProc));
    EXPECT_TRUE(tk::Application.ShowMainForm);
}

TEST_F(GuardTest, OtherRegisteredMessagesPassUnchanged) {
    const UINT other = RegisterWindowMessageA("Tavrin_SomeOtherMessage");
    const LRESULT result = SendMessageA(tk::Application.Handle(), other, 123, 456);
    ASSERT_EQ(seenByPrevious.size(), 1u);
    EXPECT_EQ(seenByPrevious[0].message, other);
    EXPECT_EQ(seenByPrevious[0].wParam, 123u);
    EXPECT_EQ(seenByPrevious[0].lParam, 456);
    EXPECT_EQ(result, 789) << "the previous procedure's result is not handed back";
}

TEST_F(GuardTest, ActivationRequestWithoutMainWindowDoesNothing) {
    ASSERT_EQ(tk::Application.MainForm(), nullptr);
    PostMessageA(tk::Application.Handle(), ActivateMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_TRUE(seenByPrevious.empty()) << "the activation request was passed on";
}

TEST_F(GuardTest, ActivationRequestRestoresAndBringsTheMainWindowForward) {
    auto* form = tk::Application.CreateForm<TFormPassword>();
    form->Show();
    ShowWindow(form->Handle(), SW_MINIMIZE);
    PumpApplicationUntilIdle();
    ASSERT_TRUE(IsIconic(form->Handle()));
    PostMessageA(tk::Application.Handle(), ActivateMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_FALSE(IsIconic(form->Handle())) << "the minimised main window was not restored";
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    EXPECT_TRUE(seenByPrevious.empty()) << "the activation request was passed on";
}

// A main window still being created (not shown yet) is left alone: activating it would run
// its set-up behind whatever its creation handler shows.
TEST_F(GuardTest, ActivationRequestWaitsForAShownMainWindow) {
    auto* form = tk::Application.CreateForm<TFormPassword>();
    ASSERT_FALSE(IsWindowVisible(form->Handle()));
    PostMessageA(tk::Application.Handle(), ActivateMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_NE(GetActiveWindow(), form->Handle());
    EXPECT_EQ(tk::Application.ActiveForm(), nullptr) << "the hidden window was activated";
}

// Runs last: shut-down gives up the instance name and puts the previous procedure back, and a
// second shut-down does nothing.
TEST_F(GuardTest, ZZShutdownRestoresThePreviousProcedure) {
    MultRunShutdown();
    EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Tavrin_ScreenSaver(c)Brennholt"), nullptr)
        << "the instance name is held after the loop ended";
    HWND app = tk::Application.Handle();
    EXPECT_EQ(GetWindowLongPtrA(app, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(RecordingProc));
    SetWindowLongPtrA(app, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc));
    MultRunShutdown();
    EXPECT_EQ(GetWindowLongPtrA(app, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(originalProc));
}

} // namespace
