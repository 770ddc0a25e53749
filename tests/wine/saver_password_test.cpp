// The saver's password panel in-process: asking, checking the typed password, the warning
// box, the time-out and putting the panel away.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/PanelGeometry.h"
#include "wine/support/MessageBoxCatcher.h"
#include "wine/support/SaverWindow.h"

namespace {

using namespace testsupport;

constexpr char kWrongPasswordText[] = "The passwort that you typed is not correct.\r\nTray typig it again.";

// ---- password panel -----------------------------------------------------------------------

// SetTimer that has no timer left for a window, as the system may run out of them; thread
// timers (the tests' own) still work.
UINT_PTR(WINAPI* SystemSetTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = nullptr;
UINT_PTR WINAPI NoWindowTimers(HWND window, UINT_PTR id, UINT interval, TIMERPROC procedure) {
    return window ? 0 : SystemSetTimer(window, id, interval, procedure);
}

// The question the shell of the 95 family asks the foreground window before it runs a CD's
// AutoRun program: 1 cancels it.
LRESULT AskAutoPlay(TFormScreenSaver* form) {
    return SendMessageA(form->Handle(), RegisterWindowMessageA("QueryCancelAutoPlay"), 0, 0);
}

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
    EXPECT_EQ(AskAutoPlay(form), 1) << "a CD's program would start behind the lock";
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
    EXPECT_EQ(AskAutoPlay(form), 0) << "the default answer lets AutoPlay run";
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
    PumpApplicationUntilIdle();
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
                      AnswerCase{"Se\tcr\x01"
                                 "et",
                                 "Secret", true},
                      AnswerCase{"Se\tcret", "Se", false}),
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
    EXPECT_TRUE(SameRect(WindowRect(form->Handle()), RECT{-640, 0, width, height}))
        << Text(WindowRect(form->Handle()));
    EXPECT_EQ(BitmapSize(form->PictureShow.Surface()).cx, width + 640);
    AskForPassword(form);
    const tavrin::PanelPlacement place = tavrin::PlacePanel(width, height, 280, 74);
    EXPECT_TRUE(SameRect(WindowRect(form->Panel1->Handle()),
                         RECT{place.left, place.top, place.left + 280, place.top + 74}))
        << Text(WindowRect(form->Panel1->Handle()));
    EXPECT_TRUE(
        SameRect(SaverClipRect, RECT{place.clip.left, place.clip.top, place.clip.right, place.clip.bottom}));
}

// Alt+F4 or a WM_CLOSE from any program asks for the password; with the panel up, ignored.
TEST_F(SaverPassword, CloseRequestsAskForThePassword) {
    auto* form = StartProtected();
    const std::pair<UINT, WPARAM> requests[] = {{WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}};
    for (auto [message, wParam] : requests) {
        PostMessageA(form->Handle(), message, wParam, 0);
        PumpApplicationUntilIdle();
        ExpectAsking(form);
        EXPECT_EQ(GetFocus(), form->MaskEdit1->Handle());
    }
    // With no timer left for the time-out or the cleaning, the request is still refused and
    // Cancel still arms the watch; each failure reaches the error box.
    Click(form->ButtonCancel);
    ImportHook noTimers("user32.dll", "SetTimer", reinterpret_cast<void*>(NoWindowTimers));
    SystemSetTimer = reinterpret_cast<decltype(SystemSetTimer)>(noTimers.Original());
    MessageBoxCatcher catcher;
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_FALSE(tk::Application.Terminated()) << "the close went through without the password";
    EXPECT_TRUE(form->Panel1->Visible());
    Click(form->ButtonCancel);
    EXPECT_TRUE(SaverInputWatch.Armed()) << "the watch was not armed again";
    ASSERT_EQ(catcher.Boxes().size(), 2u) << Describe(catcher);
    EXPECT_EQ(catcher.Boxes()[1].text, "Not enough timers available.");
}

// A close request before the set-up (here while the failed load's error box is open) is refused
// without the panel, which the set-up would leave up under a running watch.
TEST_F(SaverPassword, CloseRequestBeforeTheSetUpIsRefused) {
    testsupport::ProductKey().SetString("Password", "abc"); // the load fails after it
    testsupport::SetUsePassword(1);
    MessageBoxCatcher catcher;
    RunLater closeDuringTheBox(10, [] { PostMessageA(FormScreenSaver->Handle(), WM_CLOSE, 0, 0); });
    auto* form = Start();
    ASSERT_EQ(catcher.Boxes().size(), 1u) << Describe(catcher);
    ASSERT_EQ(SaverSettings.Password, "abc");
    EXPECT_FALSE(tk::Application.Terminated());
    EXPECT_FALSE(IsWindowVisible(form->Panel1->Handle()));
    EXPECT_TRUE(form->TimerCLS->Running());
    EXPECT_TRUE(SaverInputWatch.Armed());
}

// The modal warning gives the activation back without running the set-up again.
TEST_F(SaverPassword, WrongPasswordDoesNotRunTheSetUpAgain) {
    auto* form = StartProtected();
    AskForPassword(form);
    Type(form->MaskEdit1, "wrong");
    MessageBoxCatcher catcher;
    Click(form->ButtonOK);
    PumpApplicationFor(100); // a fixed wait: the activation given back must not run the set-up
    ASSERT_EQ(catcher.Boxes().size(), 1u);
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
        PumpApplicationUntilIdle();
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
        PumpApplicationUntilIdle();
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
    PumpApplicationUntilIdle();
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
    // Without the restart the panel would go about 0.6 s after the message closed: a fixed wait
    // past that time.
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
    PumpApplicationUntilIdle();
    ExpectWatching(form);
    PumpApplicationFor(400); // a fixed wait, past the countdown: it must not run again
    EXPECT_FALSE(form->Panel1->Visible());
    EXPECT_FALSE(form->TimerShowPanel->Enabled());
}

// Pictures keep coming while the panel is shown, but none is drawn over it.
TEST_F(SaverPassword, StampsGoAroundTheVisiblePanel) {
    auto* form = StartProtected();
    AskForPassword(form);
    SetFocus(form->ButtonCancel->Handle()); // no blinking caret in the picture
    RedrawWindow(form->Panel1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpApplicationUntilIdle();
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
