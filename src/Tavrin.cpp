// The program: the preview when the system asks for one; otherwise unit start-up in a fixed
// order, then the mode dispatch on the first command-line argument, which opens at most one
// window and runs its message loop.
#include "MultRun.h"
#include "Preview.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "core/AppTitle.h"
#include "core/CommandLine.h"
#include "toolkit/Toolkit.h"

#include <exception>
#include <limits>

namespace {
tavrin::Mode CurrentMode() {
    return tavrin::ModeForArgument(tavrin::FirstArgument(GetCommandLineA()));
}

// The window that "/c:N" names when it exists (the system's Settings button passes its own).
HWND SettingsOwner() {
    const std::uint64_t number = tavrin::SettingsOwnerNumber(tavrin::FirstArgument(GetCommandLineA()),
                                                             std::numeric_limits<std::uintptr_t>::max());
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number));
    return number && IsWindow(window) ? window : nullptr;
}

// Builds the mode's window and runs its loop. A window that cannot be built (a system library
// it needs is missing) is reported in a plain box instead of ending the program without a word.
template <class Form> void RunForm() {
    try {
        tk::Application.CreateForm<Form>();
    } catch (const std::exception& error) {
        tk::ShowMessage(tavrin::ErrorBoxText(error.what()));
        return;
    }
    tk::Application.Run();
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The system's preview stands apart from the other modes: it neither claims nor answers the
    // single-instance guard, so it never keeps a saver or a dialog from starting.
    // The saver and the preview copy and cover the screen pixel for pixel; the dialogs, laid out
    // for 96 dpi or scaling themselves, are left for the system to scale.
    if (HWND host = PreviewHostFromCommandLine()) {
        tk::DeclareDpiAware();
        return RunPreview(host);
    }
    if (CurrentMode() == tavrin::Mode::Saver) tk::DeclareDpiAware();

    tk::Application.Initialize(); // the toolkit's start-up: the application window exists
    MultRunStartup();

    // A second copy has already asked the first one to come forward; it opens no window at
    // all, so a second saver never takes the desktop without giving it back.
    if (AnotherCopyRunning()) {
        MultRunShutdown();
        return 0;
    }

    // Each test reads the argument afresh; one argument matches at most one of them, and
    // after a window's loop has ended the remaining tests all fail.
    if (CurrentMode() == tavrin::Mode::Saver) {
        tk::Application.SetTitle("Tavrin");
        RunForm<TFormScreenSaver>();
    }
    if (CurrentMode() == tavrin::Mode::Password) {
        RunForm<TFormPassword>();
    }
    if (CurrentMode() == tavrin::Mode::Configure) {
        tk::Application.SetMainFormOwner(SettingsOwner());
        RunForm<TFormConfigure>();
    }

    MultRunShutdown();
    return 0;
}
