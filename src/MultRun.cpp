#include "MultRun.h"

#include "toolkit/LateBound.h"
#include "toolkit/Toolkit.h"

// Windows 95 and NT 4.0 export this function under its plain name only (it takes ANSI
// arguments); the header maps that name to the A form, which only later systems export.
#undef BroadcastSystemMessage
extern "C" WINUSERAPI long WINAPI BroadcastSystemMessage(DWORD flags, LPDWORD recipients, UINT message,
                                                         WPARAM wParam, LPARAM lParam);

const char InstanceName[] = "Tavrin_ScreenSaver(c)Brennholt";
UINT ActivateMessage = 0;

namespace {
// The named mutex marks this copy as running until its window's loop has ended.
HANDLE InstanceMutex = nullptr;
WNDPROC PreviousWindowProc = nullptr;
bool SecondCopy = false;
int StartupCount = 0;
int ShutdownCount = 0;

void BringMainWindowForward() {
    tk::TForm* main = tk::Application.MainForm();
    // A request arriving while the main window is still being created (an error box shown
    // by its creation handler) has nothing to bring forward: the window is not shown yet, and
    // activating it would run its set-up under that box.
    if (!main || !main->Handle() || !main->Visible()) return;
    if (tk::Application.Iconic() || IsIconic(main->Handle())) {
        main->SetState(tk::WindowState::Normal);
        ShowWindow(main->Handle(), SW_RESTORE);
        tk::Application.Restore();
    }
    SetForegroundWindow(main->Handle());
}

// From Windows 98 and 2000 on a program may take the foreground only with the leave of the one
// the user works in, which this copy is as it starts; earlier systems need no leave.
void LetAnyCopyComeForward() {
    using Allow = BOOL(WINAPI*)(DWORD);
    if (auto allow = tk::late::SystemFunction<Allow>("user32.dll", "AllowSetForegroundWindow"))
        allow(ASFW_ANY);
}
} // namespace

LRESULT CALLBACK GuardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ActivateMessage) {
        BringMainWindowForward();
        return 0;
    }
    return CallWindowProcA(PreviousWindowProc, window, message, wParam, lParam);
}

void MultRunStartup() {
    if (StartupCount++ != 0) return;
    ActivateMessage = RegisterWindowMessageA(InstanceName);
    InstanceMutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, InstanceName);
    if (InstanceMutex) {
        SecondCopy = true;
        tk::Application.ShowMainForm = false;
        LetAnyCopyComeForward();
        // Posted, not sent: this copy waits for nobody.
        DWORD recipients = BSM_APPLICATIONS;
        BroadcastSystemMessage(BSF_IGNORECURRENTTASK | BSF_POSTMESSAGE, &recipients, ActivateMessage, 0, 0);
        tk::Application.Terminate();
        return;
    }
    PreviousWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        tk::Application.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GuardWindowProc)));
    InstanceMutex = CreateMutexA(nullptr, FALSE, InstanceName);
}

// The name is given up as soon as this copy is done, not when the system has finished ending
// the process, so a copy started right after this one ends is never taken for a second one.
void MultRunShutdown() {
    if (ShutdownCount++ != 0) return;
    if (InstanceMutex) CloseHandle(InstanceMutex);
    InstanceMutex = nullptr;
    if (PreviousWindowProc)
        SetWindowLongPtrA(tk::Application.Handle(), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(PreviousWindowProc));
}

bool AnotherCopyRunning() {
    return SecondCopy;
}
