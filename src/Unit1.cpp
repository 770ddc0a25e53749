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

TFormScreenSaver* FormScreenSaver = nullptr;
tavrin::SaverSettings SaverSettings;
tavrin::InputWatch SaverInputWatch;

namespace {
constexpr char kTaskbarClass[] = "Shell_TrayWnd";
constexpr char kWrongPasswordText[] = "The passwort that you typed is not correct.\r\nTray typig it again.";

// Receives the previous state of the system's screen-saver flag; written by the system only.
UINT PreviousSaverFlag = 0;

void ShowTaskbar(int command) {
    if (HWND taskbar = FindWindowA(kTaskbarClass, nullptr)) ShowWindow(taskbar, command);
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

TFormScreenSaver::TFormScreenSaver() : tk::TForm(layouts::kFormScreenSaver) {
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
    Backgroundimage = Find<tk::TImage>("Backgroundimage");
    SaveBackground = Find<tk::TImage>("SaveBackground");

    ButtonOK->OnClick = [this] { ButtonOKClick(); };
    ButtonCancel->OnClick = [this] { ButtonCancelClick(); };
    TimerSpeed->OnTimer = [this] { Timer1Timer(); };
    TimerCLS->OnTimer = [this] { TimerCLSTimer(); };
    TimerShowPanel->OnTimer = [this] { TimerShowPanelTimer(); };
}

void TFormScreenSaver::FormCreate() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    tavrin::SharedRandom().Seed(
        tavrin::MillisecondsSinceMidnight(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds));
    SaverSettings.ActiveCount = 0;
    // The background is sized to the screen even when the load fails, so the saver always
    // covers the screen; the load's error still reaches the error box.
    std::exception_ptr loadError;
    try {
        GetMyRegistry();
    } catch (...) {
        loadError = std::current_exception();
    }
    // Every monitor (with one, the screen), read once for the saver's whole run.
    covered_ = tk::CoveredScreen();
    Backgroundimage->SetBounds({0, 0, CoveredWidth(), CoveredHeight()});
    if (loadError) std::rethrow_exception(loadError);
}

void TFormScreenSaver::GetMyRegistry() {
    tavrin::Win32RegistryBackend backend;
    tavrin::TRegistry registry(backend);
    tavrin::LoadSaverSettings(registry, tavrin::SharedRandom(), SaverSettings);
}

void TFormScreenSaver::CaptureBackground(int width, int height) {
    HDC picture = Backgroundimage->Canvas();
    if (SaverSettings.Background == 1) {
        tk::WindowDc screen(nullptr);
        BitBlt(picture, 0, 0, width, height, screen.get(), covered_.left, covered_.top, SRCCOPY);
    } else {
        RECT all = {0, 0, width, height};
        FillRect(picture, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    Backgroundimage->Changed();
}

// Whichever set-up step fails (no timer, no memory for a picture), its error reaches the error
// box, and the input filter is armed all the same, so the saver can always be ended.
void TFormScreenSaver::FormActivate() {
    try {
        TakeOverDesktop();
    } catch (...) {
        ArmInputFilter();
        throw;
    }
    ArmInputFilter();
}

void TFormScreenSaver::TakeOverDesktop() {
    const int width = CoveredWidth(), height = CoveredHeight();
    SetTopLeft(0, 0);
    CaptureBackground(width, height);
    SaveBackground->SizePicture(width, height);
    BitBlt(SaveBackground->Canvas(), 0, 0, width, height, Backgroundimage->Canvas(), 0, 0, SRCCOPY);
    SetState(tk::WindowState::Maximized);
    // A maximised window keeps to one monitor; the saver covers them all.
    SetBounds({covered_.left, covered_.top, width, height});
    SetUnhandledExceptionFilter(RestoreDesktopOnCrash);
    std::set_terminate(RestoreDesktopOnTerminate);
    ShowTaskbar(SW_HIDE);
    SetCursor(tk::Cursor::None);
    ::SetCursor(nullptr);
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 1, &PreviousSaverFlag, 0);
    TimerSpeed->SetInterval(tavrin::PaceInterval(SaverSettings.Speed));
    TimerCLS->SetInterval(tavrin::CleaningInterval(SaverSettings.CLS));
    TimerSpeed->SetEnabled(true);
    TimerCLS->SetEnabled(true);
}

void TFormScreenSaver::ExitScreenSaver() {
    ShowTaskbar(SW_SHOWNORMAL);
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, &PreviousSaverFlag, 0);
    ClipCursor(nullptr);
}

void TFormScreenSaver::FormClose() {
    ExitScreenSaver();
}

// While a password protects the saver, a close request (Alt+F4, or WM_CLOSE from any program)
// asks for the password as an input would; with the panel already up it is ignored.
bool TFormScreenSaver::FormCloseQuery() {
    if (!PasswordProtected()) return true;
    if (!Panel1->Visible()) ShowExitPanel();
    return false;
}

bool TFormScreenSaver::PasswordProtected() const {
    return SaverSettings.UsePassword && !SaverSettings.Password.empty();
}

void TFormScreenSaver::Timer1Timer() {
    const tavrin::Stamp stamp =
        tavrin::NextStamp(tavrin::SharedRandom(), CoveredWidth(), CoveredHeight(),
                          SaverSettings.ActivePictures, SaverSettings.ActiveCount, SaverSettings.PictureSet);
    // Looked up by name at every tick; a name without a resource gives no icon and no stamp.
    HICON icon = LoadIconA(tk::ModuleInstance(), tavrin::PictureResourceName(stamp.pictureNumber).c_str());
    if (!icon) return;
    tk::WindowDc surface(Handle());
    DrawIcon(surface.get(), stamp.x, stamp.y, icon);
}

void TFormScreenSaver::TimerCLSTimer() {
    BitBlt(Backgroundimage->Canvas(), 0, 0, CoveredWidth(), CoveredHeight(), SaveBackground->Canvas(), 0, 0,
           SRCCOPY);
    Backgroundimage->Changed();
}

void TFormScreenSaver::ArmInputFilter() {
    SaverInputWatch.Arm();
    tk::Application.OnMessage = [this](MSG& msg, bool& handled) { CheckUserInput(msg, handled); };
}

void TFormScreenSaver::DisarmInputFilter() {
    SaverInputWatch.Disarm();
    tk::Application.OnMessage = nullptr;
}

void TFormScreenSaver::CheckUserInput(MSG& Msg, bool& Handled) {
    if (SaverInputWatch.Observe(Msg.message, SaverSettings.Sensitivity) != tavrin::InputWatch::Verdict::Act)
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
    DisarmInputFilter();
    TimerCLS->SetEnabled(false);
    // On the primary monitor; the panel sits in the window, which starts at the covered
    // area's origin.
    const tavrin::PanelPlacement place = tavrin::PlacePanel(
        tk::SystemMetric(SM_CXSCREEN), tk::SystemMetric(SM_CYSCREEN), Panel1->Width(), Panel1->Height());
    Panel1->SetTop(place.top - covered_.top);
    Panel1->SetLeft(place.left - covered_.left);
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
    TimerShowPanel->SetEnabled(false);
    TimerCLS->SetEnabled(true);
    ArmInputFilter();
}

void TFormScreenSaver::TimerShowPanelTimer() {
    ButtonCancelClick();
}
