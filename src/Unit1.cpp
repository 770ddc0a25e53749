#include "Unit1.h"

#include "core/PanelGeometry.h"
#include "core/PictureTick.h"
#include "core/Random.h"
#include "core/Rounding.h"
#include "layouts/FormScreenSaver.h"
#include "settings/Registry.h"
#include "settings/RegistryLayout.h"
#include "settings/SettingsStore.h"
#include "settings/Win32RegistryBackend.h"

#include <exception>
#include <functional>

TFormScreenSaver* FormScreenSaver = nullptr;
tavrin::SaverSettings SaverSettings;
tavrin::InputWatch SaverInputWatch;

namespace {
constexpr char kTaskbarClass[] = "Shell_TrayWnd";
constexpr char kSecondaryTaskbarClass[] = "Shell_SecondaryTrayWnd";
constexpr char kWrongPasswordText[] = "The passwort that you typed is not correct.\r\nTray typig it again.";

// Posted by the saver to itself when another program has taken the foreground.
constexpr UINT kOtherProgramActivated = WM_APP;

// The foreground window is one of this program's (a spurious switch may have been undone).
bool OwnWindowInFront() {
    DWORD process = 0;
    if (HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &process);
    return process == GetCurrentProcessId();
}

// Receives the previous state of the system's screen-saver flag; written by the system only.
UINT PreviousSaverFlag = 0;

BOOL CALLBACK ShowIfSecondaryTaskbar(HWND window, LPARAM command) {
    char className[sizeof(kSecondaryTaskbarClass) + 1] = {};
    if (GetClassNameA(window, className, sizeof(className)) &&
        lstrcmpA(className, kSecondaryTaskbarClass) == 0)
        ShowWindow(window, static_cast<int>(command));
    return TRUE;
}

// Every taskbar: the main one, found by its class at each use, and those Windows 8 and later put
// on the other monitors, found by enumeration at each use.
void ShowTaskbars(int command) {
    if (HWND taskbar = FindWindowA(kTaskbarClass, nullptr)) ShowWindow(taskbar, command);
    EnumWindows(ShowIfSecondaryTaskbar, command);
}

// If the process dies of an unhandled fault after the set-up, the desktop is still given back.
LONG WINAPI RestoreDesktopOnCrash(EXCEPTION_POINTERS*) {
    if (FormScreenSaver) FormScreenSaver->ExitScreenSaver();
    return EXCEPTION_CONTINUE_SEARCH;
}

// The stored password as it can be typed into the edit: no edit takes a control character
// (a tab moves the focus, the others are refused), and the edit holds kMaxPasswordLength.
// Compared with this, any stored password can be typed, so the saver can always be left.
std::string TypeablePassword(const std::string& stored) {
    std::string typeable;
    for (char c : stored) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) continue;
        if (typeable.size() == tavrin::kMaxPasswordLength) break;
        typeable += c;
    }
    return typeable;
}

void RestoreDesktopOnTerminate() {
    if (FormScreenSaver) FormScreenSaver->ExitScreenSaver();
    std::abort();
}
} // namespace

TFormScreenSaver::TFormScreenSaver()
    : tk::TForm(layouts::kFormScreenSaver), PictureShow(SaverSettings),
      queryCancelAutoPlay_(RegisterWindowMessageA("QueryCancelAutoPlay")) {
    FormScreenSaver = this;
    OnCreate = [this] { FormCreate(); };
    OnActivate = [this] { FormActivate(); };
    OnClose = [this] { FormClose(); };
    OnCloseQuery = [this] { return FormCloseQuery(); };
}

TFormScreenSaver::~TFormScreenSaver() {
    if (FormScreenSaver == this) FormScreenSaver = nullptr;
}

void TFormScreenSaver::Loaded() {
    Panel1 = Find<tk::TPanel>("Panel1");
    MaskEdit1 = Find<tk::TEdit>("MaskEdit1");
    ButtonOK = Find<tk::TButton>("ButtonOK");
    ButtonCancel = Find<tk::TButton>("ButtonCancel");
    Label1 = Find<tk::TLabel>("Label1");
    TimerCLS = Find<tk::TTimer>("TimerCLS");
    TimerSpeed = Find<tk::TTimer>("TimerSpeed");
    TimerShowPanel = Find<tk::TTimer>("TimerShowPanel");

    ButtonOK->OnClick = [this] { ButtonOKClick(); };
    ButtonCancel->OnClick = [this] { ButtonCancelClick(); };
    TimerSpeed->OnTimer = [this] { Timer1Timer(); };
    TimerCLS->OnTimer = [this] { TimerCLSTimer(); };
    TimerShowPanel->OnTimer = [this] { TimerShowPanelTimer(); };
}

// The draw was seeded when the picture show was made, with the form.
void TFormScreenSaver::FormCreate() {
    SaverSettings.ActiveCount = 0;
    previousForeground_ = GetForegroundWindow();
    {
        tk::WindowDc screen(nullptr);
        stampSize_ = tavrin::StampSize(GetDeviceCaps(screen.get(), LOGPIXELSX));
    }
    // The background covers the screen even when the load fails, so the saver always covers the
    // screen; the load's error still reaches the error box.
    std::exception_ptr loadError;
    try {
        GetMyRegistry();
    } catch (...) {
        loadError = std::current_exception();
    }
    // Every monitor (with one, the screen): where the window goes and what it shows.
    covered_ = screenNow_ = tk::CoveredScreen();
    // Before the window is first shown (and before the error box), so the frozen desktop is the
    // desktop as the user left it, without the saver's own window coming up.
    PictureShow.KeepBackground(covered_);
    PictureShow.MakeSurface(CoveredWidth(), CoveredHeight(), TPictureShow::Stamps::OnWindow);
    if (loadError) std::rethrow_exception(loadError);
}

void TFormScreenSaver::GetMyRegistry() {
    tavrin::Win32RegistryBackend backend;
    tavrin::TRegistry registry(backend);
    tavrin::LoadSaverSettings(registry, tavrin::SharedRandom(), SaverSettings);
}

void TFormScreenSaver::FormActivate() {
    takenOver_ = true;
    ArmInputFilterAfter([this] { TakeOverDesktop(); });
}

// Whichever step fails (no timer), its error reaches the error box and the input filter is armed
// all the same, so the saver can always be ended.
void TFormScreenSaver::ArmInputFilterAfter(const std::function<void()>& steps) {
    try {
        steps();
    } catch (...) {
        ArmInputFilter();
        throw;
    }
    ArmInputFilter();
}

void TFormScreenSaver::TakeOverDesktop() {
    SetTopLeft(0, 0);
    SetState(tk::WindowState::Maximized);
    // A maximised window keeps to one monitor; the saver covers them all.
    SetBounds({covered_.left, covered_.top, CoveredWidth(), CoveredHeight()});
    SetUnhandledExceptionFilter(RestoreDesktopOnCrash);
    std::set_terminate(RestoreDesktopOnTerminate);
    ShowTaskbars(SW_HIDE);
    SetCursor(tk::Cursor::None);
    ::SetCursor(nullptr);
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 1, &PreviousSaverFlag, 0);
    TimerSpeed->SetInterval(tavrin::PaceInterval(SaverSettings.Speed));
    TimerCLS->SetInterval(tavrin::CleaningInterval(SaverSettings.CLS));
    TimerSpeed->SetEnabled(true);
    TimerCLS->SetEnabled(true);
}

// The taskbars come back without being activated, and the keyboard goes back to the window that
// had it before the saver: left to itself, the system would activate whatever window comes next.
void TFormScreenSaver::ExitScreenSaver() {
    desktopGivenBack_ = true;
    ShowTaskbars(SW_SHOWNA);
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, &PreviousSaverFlag, 0);
    ClipCursor(nullptr);
    if (previousForeground_ && IsWindow(previousForeground_) && IsWindowVisible(previousForeground_))
        SetForegroundWindow(previousForeground_);
}

void TFormScreenSaver::FormClose() {
    ExitScreenSaver();
}

// While a password protects the saver, a close request (Alt+F4, or WM_CLOSE from any program)
// asks for the password as an input would; with the panel already up it is ignored. One that
// comes before the desktop is taken over (while the failed-load box is open) is refused without
// the panel, which the set-up would otherwise leave up under a running cleaning and watch.
bool TFormScreenSaver::FormCloseQuery() {
    if (!PasswordProtected()) return true;
    if (takenOver_ && !Panel1->Visible()) ShowExitPanel();
    return false;
}

LRESULT TFormScreenSaver::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The shell of Windows 95 (with Internet Explorer 4), 98 and ME asks the foreground window
    // before it runs a CD's AutoRun program: behind a locked screen, that program must not start.
    if (message == queryCancelAutoPlay_ && PasswordProtected()) return 1;
    if (message == WM_PAINT) {
        tk::PaintScope paint(Handle());
        PictureShow.Paint(paint.get());
        return 0;
    }
    if (message == WM_DISPLAYCHANGE) screenNow_ = tk::CoveredScreen();
    // Acted on once the switch is over: activating the saver from inside it would be undone
    // by the rest of the switch.
    if (message == WM_ACTIVATEAPP && !wParam) PostMessageA(Handle(), kOtherProgramActivated, 0, 0);
    if (message == kOtherProgramActivated) {
        OtherProgramActivated();
        return 0;
    }
    return tk::TForm::HandleMessage(message, wParam, lParam);
}

// Another program took the foreground (Alt+Tab on the NT family, or a program bringing itself
// forward): behind the top-most saver it would get the keys. Without a password the saver ends as
// on the user's input and leaves the keyboard with that program; with one, it stays in front,
// asks for the password and takes the keyboard back for it where the system allows (the
// wrong-password box, when it is open, takes it).
void TFormScreenSaver::OtherProgramActivated() {
    if (!takenOver_ || desktopGivenBack_ || OwnWindowInFront()) return;
    if (!PasswordProtected()) {
        previousForeground_ = nullptr;
        ShowExitPanel();
        return;
    }
    // Above the other program even if it is top-most too, so the panel can be seen.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(GetLastActivePopup(Handle()));
    if (!IsWindowEnabled(Handle())) return;
    if (Panel1->Visible())
        MaskEdit1->SetFocus();
    else
        ShowExitPanel();
}

bool TFormScreenSaver::PasswordProtected() const {
    return SaverSettings.UsePassword && !SaverSettings.Password.empty();
}

// The stamps go on the window's own surface, never into the show's: whatever repaints an area
// shows the background there again. The ticks use the screen's size as it is now: read again
// when the system announces a display change rather than at every tick, since under Wine each
// read is a call to the display driver.
void TFormScreenSaver::Timer1Timer() {
    tk::WindowDc surface(Handle());
    PictureShow.Stamp(surface.get(), screenNow_.right - screenNow_.left, screenNow_.bottom - screenNow_.top,
                      stampSize_, stampSize_);
}

// The repaint of the whole window wipes every stamp.
void TFormScreenSaver::TimerCLSTimer() {
    PictureShow.Clean();
    InvalidateRect(Handle(), nullptr, FALSE);
}

// The pointer's rest is where it is now, within the system's drag rectangle: only a move out of
// it is the user's.
void TFormScreenSaver::ArmInputFilter() {
    POINT pointer = {};
    GetCursorPos(&pointer);
    SaverInputWatch.Arm(
        tavrin::PointerRest{pointer.x, pointer.y, tk::SystemMetric(SM_CXDRAG), tk::SystemMetric(SM_CYDRAG)});
    tk::Application.OnMessage = [this](MSG& msg, bool& handled) { CheckUserInput(msg, handled); };
}

void TFormScreenSaver::DisarmInputFilter() {
    SaverInputWatch.Disarm();
    tk::Application.OnMessage = nullptr;
}

void TFormScreenSaver::CheckUserInput(MSG& Msg, bool& Handled) {
    if (SaverInputWatch.Observe(Msg.message, SaverSettings.Sensitivity, Msg.pt.x, Msg.pt.y) !=
        tavrin::InputWatch::Verdict::Act)
        return;
    Handled = true;
    ShowExitPanel();
}

void TFormScreenSaver::ShowExitPanel() {
    if (!PasswordProtected()) {
        ExitScreenSaver();
        tk::Application.Terminate();
        return;
    }
    MakeDeferredControls();
    DisarmInputFilter();
    TimerCLS->SetEnabled(false);
    // On the primary monitor; the panel sits in the window, which starts at the covered
    // area's origin.
    const tavrin::PanelPlacement place =
        tavrin::PlacePanel(tk::SystemMetric(SM_CXSCREEN), tk::SystemMetric(SM_CYSCREEN), Panel1->PixelWidth(),
                           Panel1->PixelHeight());
    Panel1->MoveToPixels(place.left - covered_.left, place.top - covered_.top);
    Panel1->Show();
    MaskEdit1->SetFocus();
    const RECT clip = {place.clip.left, place.clip.top, place.clip.right, place.clip.bottom};
    ClipCursor(&clip);
    TimerShowPanel->SetEnabled(true);
}

void TFormScreenSaver::ButtonOKClick() {
    // A longer stored password is matched by its first characters, one with control
    // characters by the rest; otherwise it could never be typed and the saver never left.
    if (MaskEdit1->Text() == TypeablePassword(SaverSettings.Password)) {
        ExitScreenSaver();
        tk::Application.Terminate();
        return;
    }
    tk::ShowWarning(kWrongPasswordText);
    // The time-out may have put the panel away while the message was open; then the saver
    // is simply back to watching.
    if (!Panel1->Visible()) return;
    TimerShowPanel->SetEnabled(false);
    TimerShowPanel->SetEnabled(true);
    MaskEdit1->SetFocus();
}

void TFormScreenSaver::ButtonCancelClick() {
    ClipCursor(nullptr);
    Panel1->Hide();
    // The hidden edit loses the focus; the window takes it so keys keep arriving as key presses.
    ::SetFocus(Handle());
    ArmInputFilterAfter([this] {
        TimerShowPanel->SetEnabled(false);
        TimerCLS->SetEnabled(true);
    });
}

void TFormScreenSaver::TimerShowPanelTimer() {
    ButtonCancelClick();
}
