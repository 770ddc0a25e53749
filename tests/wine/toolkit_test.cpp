// The form toolkit against the real user32: the application's message filter, timers, the error
// box for exceptions escaping a handler, and the activation event.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Toolkit.h"
#include "wine/support/ApplicationPump.h"
#include "wine/support/ImportHook.h"
#include "wine/support/MessageBoxCatcher.h"

namespace {

using testsupport::Describe;
using testsupport::MessageBoxCatcher;
using testsupport::PumpApplicationFor;
using testsupport::PumpApplicationUntil;
using testsupport::PumpApplicationUntilIdle;

constexpr char kTitle[] = "ToolkitTest";
constexpr UINT kProbeMessage = WM_APP + 7;
constexpr UINT kFailingMessage = WM_APP + 8; // its handling throws

inline constexpr tk::ControlSpec kProbeControls[] = {
    {.name = "Ticker", .kind = tk::ControlKind::Timer, .interval = 0, .enabled = false},
    {.name = "Button1", .kind = tk::ControlKind::Button, .bounds = {10, 10, 80, 24}, .caption = "Press"},
};

inline constexpr tk::FormSpec kProbeForm = {
    .className = "TToolkitProbeForm",
    .caption = "ToolkitProbe",
    .visible = true,
    .position = tk::Position::Designed,
    .designBounds = {60, 60, 300, 160},
    .controls = kProbeControls,
};

inline constexpr tk::FormSpec kOtherForm = {
    .className = "TToolkitOtherForm",
    .caption = "ToolkitOther",
    .visible = true,
    .position = tk::Position::Designed,
    .designBounds = {420, 60, 200, 120},
};

// A form that records which test messages reach its window procedure.
class ProbeForm : public tk::TForm {
  public:
    ProbeForm() : tk::TForm(kProbeForm) {
        OnActivate = [this] { ++activations; };
    }
    std::vector<UINT> received;
    int activations = 0;
    tk::TTimer* Ticker() const { return Find<tk::TTimer>("Ticker"); }

    int Count(UINT message) const {
        return static_cast<int>(std::count(received.begin(), received.end(), message));
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbeMessage || message == WM_KEYDOWN || message == WM_CHAR)
            received.push_back(message);
        if (message == kFailingMessage) throw std::runtime_error("Not enough timers available");
        return tk::TForm::HandleMessage(message, wParam, lParam);
    }
};

class OtherForm : public tk::TForm {
  public:
    OtherForm() : tk::TForm(kOtherForm) {
        OnActivate = [this] { ++activations; };
    }
    int activations = 0;
};

// What the next ThrowingForm's creation handler throws.
std::string nextCreationError;

class ThrowingForm : public tk::TForm {
  public:
    ThrowingForm() : tk::TForm(kProbeForm) {
        OnCreate = [this] {
            createStarted = true;
            throw std::runtime_error(nextCreationError);
        };
    }
    bool createStarted = false;
};

class Toolkit : public ::testing::Test {
  protected:
    void SetUp() override {
        tk::Application.Initialize();
        tk::Application.SetTitle(kTitle);
    }
    void TearDown() override { tk::Application.ResetForTests(); }
};

// ---- the application's message filter -----------------------------------------------------

TEST_F(Toolkit, FilterThatHandlesAMessageKeepsItFromItsWindow) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    int seen = 0;
    tk::Application.OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message != kProbeMessage) return;
        ++seen;
        handled = true;
    };
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(form->Count(kProbeMessage), 0) << "a handled message must not be dispatched";
}

TEST_F(Toolkit, FilterThatLeavesAMessageLetsItThrough) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    int seen = 0;
    tk::Application.OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == kProbeMessage) ++seen;
    };
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(form->Count(kProbeMessage), 1);
}

TEST_F(Toolkit, FilterSeesKeysBeforeTheyAreTranslated) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    SetFocus(form->Handle());
    std::vector<UINT> seen;
    tk::Application.OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
            seen.push_back(msg.message);
            handled = true;
        }
    };
    PostMessageA(form->Handle(), WM_KEYDOWN, 'A', 0x001E0001);
    PumpApplicationUntilIdle();
    EXPECT_EQ(seen, std::vector<UINT>{WM_KEYDOWN}) << "a dropped key press must not become a character";
    EXPECT_TRUE(form->received.empty());
}

TEST_F(Toolkit, FilterThatEmptiesTheSlotWhileRunningIsSafe) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    int calls = 0;
    tk::Application.OnMessage = [&](MSG& msg, bool&) {
        if (msg.message != kProbeMessage) return;
        ++calls;
        tk::Application.OnMessage = nullptr; // destroys the function object that is running
        msg.wParam = 42;                     // the captured state must still be usable
    };
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_EQ(calls, 1) << "the emptied slot must not run again";
    EXPECT_FALSE(static_cast<bool>(tk::Application.OnMessage));
    EXPECT_EQ(form->Count(kProbeMessage), 2) << "both messages leave the filter unhandled";
}

TEST_F(Toolkit, FilterThatReplacesItselfTakesEffectFromTheNextMessage) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    int first = 0, second = 0;
    tk::Application.OnMessage = [&](MSG& msg, bool&) {
        if (msg.message != kProbeMessage) return;
        ++first;
        tk::Application.OnMessage = [&](MSG& m, bool& handled) {
            if (m.message != kProbeMessage) return;
            ++second;
            handled = true;
        };
    };
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    PumpApplicationUntilIdle();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(form->Count(kProbeMessage), 1);
}

TEST_F(Toolkit, TerminateEndsTheLoopOnceTheQuitRequestIsTaken) {
    tk::Application.CreateForm<ProbeForm>();
    tk::Application.Terminate();
    EXPECT_FALSE(tk::Application.Terminated()) << "the request is a message, taken by the loop";
    PumpApplicationUntil([] { return tk::Application.Terminated(); }, 1000);
    EXPECT_TRUE(tk::Application.Terminated());
}

// ---- timers -------------------------------------------------------------------------------

class ToolkitTimer : public Toolkit {
  protected:
    void SetUp() override {
        Toolkit::SetUp();
        form = tk::Application.CreateForm<ProbeForm>();
        timer = form->Ticker();
        timer->OnTimer = [this] { ++ticks; };
    }
    ProbeForm* form = nullptr;
    tk::TTimer* timer = nullptr;
    int ticks = 0;
};

TEST_F(ToolkitTimer, FiresWhenEnabledWithAnInterval) {
    timer->SetInterval(30);
    timer->SetEnabled(true);
    EXPECT_TRUE(timer->Running());
    EXPECT_TRUE(PumpApplicationUntil([&] { return ticks >= 3; }, 3000)) << ticks << " ticks";
}

TEST_F(ToolkitTimer, IntervalZeroNeverFires) {
    timer->SetEnabled(true);
    timer->SetInterval(0);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_FALSE(timer->Running());
    PumpApplicationFor(300); // a fixed wait: no tick may come
    EXPECT_EQ(ticks, 0);
}

TEST_F(ToolkitTimer, DisabledNeverFires) {
    timer->SetInterval(20);
    EXPECT_FALSE(timer->Running());
    PumpApplicationFor(300); // fixed waits: no tick may come
    timer->SetEnabled(true);
    timer->SetEnabled(false);
    PumpApplicationFor(300);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(timer->Running());
}

// The countdown restarts at every change: changed more often than its interval, a timer never
// fires; left alone, it does.
TEST_F(ToolkitTimer, ChangingTheIntervalRestartsTheCountdown) {
    timer->SetInterval(1000);
    timer->SetEnabled(true);
    for (int i = 0; i < 8; ++i) {
        PumpApplicationFor(300); // a fixed wait, shorter than the interval
        timer->SetInterval(i % 2 == 0 ? 1001 : 1000);
    }
    EXPECT_EQ(ticks, 0) << "the countdown went on across interval changes";
    EXPECT_TRUE(PumpApplicationUntil([&] { return ticks > 0; }, 3000)) << "the timer stopped for good";
}

TEST_F(ToolkitTimer, DisablingAndEnablingRestartsTheCountdown) {
    timer->SetInterval(1000);
    timer->SetEnabled(true);
    for (int i = 0; i < 8; ++i) {
        PumpApplicationFor(300); // a fixed wait, shorter than the interval
        timer->SetEnabled(false);
        timer->SetEnabled(true);
    }
    EXPECT_EQ(ticks, 0) << "the countdown went on across disable and enable";
    EXPECT_TRUE(PumpApplicationUntil([&] { return ticks > 0; }, 3000));
}

TEST_F(ToolkitTimer, TicksArriveWhileAMessageBoxIsOpen) {
    timer->SetInterval(30);
    timer->SetEnabled(true);
    int ticksWhenClosed = -1;
    {
        // The catcher's first look, and so the press, comes after 600 ms.
        MessageBoxCatcher catcher({}, 600);
        MessageBoxA(form->Handle(), "waiting", kTitle, MB_OK);
        ticksWhenClosed = ticks;
        ASSERT_EQ(catcher.Boxes().size(), 1u);
    }
    EXPECT_GE(ticksWhenClosed, 5) << "no timer ticks inside the modal box's loop";
}

TEST_F(ToolkitTimer, AnExceptionInTheHandlerIsShownAndTheTimerGoesOn) {
    timer->OnTimer = [this] {
        ++ticks;
        if (ticks == 1) throw std::runtime_error("Tick failed");
    };
    timer->SetInterval(30);
    MessageBoxCatcher catcher;
    timer->SetEnabled(true);
    EXPECT_TRUE(PumpApplicationUntil([&] { return ticks >= 3; }, 3000)) << ticks << " ticks";
    ASSERT_GE(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "Tick failed.");
    EXPECT_EQ(catcher.Boxes()[0].caption, kTitle);
}

// ---- the error box ------------------------------------------------------------------------

// Thrown past DispatchMessageA, the error would end the program (32-bit Wine's frames carry no
// unwind information): the form's window procedure shows it and the form handles the next one.
TEST_F(Toolkit, ExceptionInAFormsMessageHandlingIsShownAndTheFormRunsOn) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    MessageBoxCatcher catcher;
    PostMessageA(form->Handle(), kFailingMessage, 0, 0);
    PostMessageA(form->Handle(), kProbeMessage, 0, 0);
    EXPECT_TRUE(PumpApplicationUntil([&] { return form->Count(kProbeMessage) == 1; }, 3000));
    ASSERT_EQ(catcher.Boxes().size(), 1u) << Describe(catcher);
    EXPECT_EQ(catcher.Boxes()[0].text, "Not enough timers available.");
    EXPECT_EQ(catcher.Boxes()[0].caption, kTitle);
}

struct ErrorBoxCase {
    const char* message;
    const char* shown;
};

class ToolkitErrorBox : public Toolkit, public ::testing::WithParamInterface<ErrorBoxCase> {};

// A full stop is added only when the last character sorts after ".".
TEST_P(ToolkitErrorBox, ExceptionInOnCreateIsShownAndTheFormStillCreated) {
    nextCreationError = GetParam().message;
    MessageBoxCatcher catcher;
    auto* form = tk::Application.CreateForm<ThrowingForm>();
    ASSERT_EQ(catcher.Boxes().size(), 1u) << Describe(catcher);
    EXPECT_EQ(catcher.Boxes()[0].text, GetParam().shown);
    EXPECT_EQ(catcher.Boxes()[0].caption, kTitle);
    EXPECT_TRUE(form->createStarted);
    ASSERT_NE(form->Handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << "a form whose creation failed is still shown";
    EXPECT_EQ(tk::Application.MainForm(), form);
}

INSTANTIATE_TEST_SUITE_P(
    FullStopRule, ToolkitErrorBox,
    ::testing::Values(ErrorBoxCase{"Not enough timers available", "Not enough timers available."},
                      ErrorBoxCase{"Failed to get data for 'X'", "Failed to get data for 'X'"},
                      ErrorBoxCase{"Invalid data type for 'CLS'", "Invalid data type for 'CLS'"},
                      ErrorBoxCase{"Already a sentence.", "Already a sentence."},
                      ErrorBoxCase{"Stop!", "Stop!"}, ErrorBoxCase{"Range 1-5", "Range 1-5."},
                      ErrorBoxCase{"Trailing blank ", "Trailing blank "}, ErrorBoxCase{"Path /", "Path /."}));

// The three kinds of box: the error box (stop icon, the title), the plain box (no icon, the
// title) and the warning box (exclamation icon, "Warning").
TEST_F(Toolkit, BoxesHaveTheirCaptionsAndIcons) {
    MessageBoxCatcher catcher;
    tk::Application.ShowException(std::runtime_error("broken"));
    tk::ShowMessage("plain");
    tk::ShowWarning("careful");
    ASSERT_EQ(catcher.Boxes().size(), 3u) << Describe(catcher);
    const auto& boxes = catcher.Boxes();
    EXPECT_EQ(boxes[0].text, "broken.");
    EXPECT_EQ(boxes[0].caption, kTitle);
    EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_EQ(boxes[1].text, "plain");
    EXPECT_EQ(boxes[1].caption, kTitle);
    EXPECT_EQ(boxes[1].icon, nullptr);
    EXPECT_EQ(boxes[2].text, "careful");
    EXPECT_EQ(boxes[2].caption, "Warning");
    EXPECT_EQ(boxes[2].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
}

// ---- activation ---------------------------------------------------------------------------

TEST_F(Toolkit, OnActivateFiresOnceWhenTheFormIsShown) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    PumpApplicationFor(200); // a fixed wait: no second activation may come
    EXPECT_EQ(form->activations, 1);
    EXPECT_EQ(tk::Application.ActiveForm(), form);
}

TEST_F(Toolkit, OnActivateDoesNotFireAgainAfterAMessageBoxOverTheFormCloses) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    PumpApplicationUntilIdle();
    ASSERT_EQ(form->activations, 1);
    {
        MessageBoxCatcher catcher;
        MessageBoxA(form->Handle(), "over the form", kTitle, MB_OK);
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].owner, form->Handle());
    }
    PumpApplicationFor(200); // fixed waits: the activation given back must not fire the event
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the form did not get the activation back";
    EXPECT_EQ(form->activations, 1);
    {
        MessageBoxCatcher catcher;
        tk::ShowWarning("warning over the form");
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].caption, "Warning");
    }
    PumpApplicationFor(200);
    EXPECT_EQ(form->activations, 1);
}

TEST_F(Toolkit, OnActivateFiresAgainWhenAnotherFormHadTheFocus) {
    auto* form = tk::Application.CreateForm<ProbeForm>();
    auto* other = tk::Application.CreateForm<OtherForm>();
    PumpApplicationUntilIdle();
    ASSERT_EQ(form->activations, 1);
    ASSERT_EQ(other->activations, 1);
    SetActiveWindow(form->Handle());
    PumpApplicationUntilIdle();
    EXPECT_EQ(form->activations, 2);
    EXPECT_EQ(tk::Application.ActiveForm(), form);
}

// The DPI declaration as a system that has some of the three functions, or refuses some, would
// answer it: the first that is there and agrees is the one that counts; shcore.dll only where
// user32 has no context to take.
struct DpiSystem {
    bool hasAware, hasContext, contextAgrees, hasShcore, shcoreAgrees;
    std::vector<std::string> calls = {};
};
DpiSystem* dpiSystem = nullptr;
FARPROC(WINAPI* systemGetProcAddress)(HMODULE, LPCSTR) = nullptr;

BOOL WINAPI FakeSetProcessDPIAware() {
    dpiSystem->calls.push_back("SetProcessDPIAware");
    return TRUE;
}
BOOL WINAPI FakeSetContext(HANDLE context) {
    dpiSystem->calls.push_back("SetProcessDpiAwarenessContext " +
                               std::to_string(reinterpret_cast<INT_PTR>(context)));
    return dpiSystem->contextAgrees;
}
HRESULT WINAPI FakeSetAwareness(int awareness) {
    dpiSystem->calls.push_back("SetProcessDpiAwareness " + std::to_string(awareness));
    return dpiSystem->shcoreAgrees ? S_OK : E_ACCESSDENIED;
}
FARPROC WINAPI DpiGetProcAddress(HMODULE module, LPCSTR name) {
    const std::string wanted = reinterpret_cast<UINT_PTR>(name) >> 16 ? name : "";
    const auto offer = [](bool present, auto function) {
        return present ? reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function)) : nullptr;
    };
    if (wanted == "SetProcessDPIAware") return offer(dpiSystem->hasAware, FakeSetProcessDPIAware);
    if (wanted == "SetProcessDpiAwarenessContext") return offer(dpiSystem->hasContext, FakeSetContext);
    if (wanted == "SetProcessDpiAwareness") return offer(dpiSystem->hasShcore, FakeSetAwareness);
    return systemGetProcAddress(module, name);
}

TEST(DeclareDpiAware, BestAvailableFirst) {
    testsupport::ImportHook hook("kernel32.dll", "GetProcAddress",
                                 reinterpret_cast<void*>(DpiGetProcAddress));
    ASSERT_TRUE(hook.Installed());
    systemGetProcAddress = reinterpret_cast<decltype(systemGetProcAddress)>(hook.Original());
    using Calls = std::vector<std::string>;
    const std::pair<DpiSystem, Calls> rows[] = {
        {{false, false, false, false, false}, {}}, // before Vista
        {{true, false, false, false, false}, {"SetProcessDPIAware"}},
        {{true, false, false, true, true}, {"SetProcessDpiAwareness 2"}},
        {{true, true, true, true, true}, {"SetProcessDpiAwarenessContext -4"}},
        // Refused (Wine): shcore is not asked, so the library is never loaded where user32 answers.
        {{true, true, false, true, true},
         {"SetProcessDpiAwarenessContext -4", "SetProcessDpiAwarenessContext -3", "SetProcessDPIAware"}},
    };
    for (auto [system, expected] : rows) {
        dpiSystem = &system;
        tk::DeclareDpiAware();
        EXPECT_EQ(system.calls, expected);
    }
    dpiSystem = nullptr;
}

} // namespace
