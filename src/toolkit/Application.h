// The application object: the hidden application window (top-level, owner of the forms,
// carrier of the title), the main form, the message loop with its application-wide message
// filter, the terminate request and the error box for exceptions escaping a handler.
#pragma once
#include "core/PanelGeometry.h"
#include "toolkit/Handles.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class TForm;

// Called for every message taken from the queue before it is translated or dispatched;
// setting handled drops the message.
using MessageFilter = std::function<void(MSG& msg, bool& handled)>;

class TApplication {
  public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the hidden application window; the title defaults to the program file's name.
    void Initialize();
    bool Initialized() const { return static_cast<bool>(window_); }

    HWND Handle() const { return window_.get(); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Constructs a form of class T; its creation handler runs and, if its layout marks it
    // visible, it is shown. The first form created this way becomes the main form.
    template <class T> T* CreateForm() {
        auto form = std::make_unique<T>();
        T* raw = form.get();
        Adopt(std::move(form));
        return raw;
    }
    TForm* MainForm() const { return mainForm_; }
    // Makes the main form, created next, an owned window of another program's window and modal
    // to it, as a dialog asked for by that window: the window is disabled while the form is
    // shown and enabled and brought to the front when the loop ends. Such a form has no
    // taskbar button of its own. When that window goes, the form ends as if closed.
    void SetMainFormOwner(HWND owner) { mainFormOwner_ = owner; }

    bool ShowMainForm = true;
    MessageFilter OnMessage;

    // Shows the main form (unless ShowMainForm is clear) and handles messages until a quit
    // request is taken from the queue. Returns at once when there is no main form.
    void Run();
    // Handles one message if there is one; returns false when the queue was empty.
    bool ProcessMessage();
    // Waits for and handles one message (the loop body of Run and of modal forms).
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void Restore();
    bool Iconic() const { return IsIconic(window_.get()) != FALSE; }

    // The error box: the message (with a full stop added when its last character sorts after
    // "."), the title as caption, the stop icon and one OK button.
    void ShowException(const std::exception& error);
    // Runs a handler, catching anything it throws and showing it in the error box; no C++
    // exception ever crosses a Win32 frame.
    void Guard(const std::function<void()>& handler);

    // The form that last became the program's focused form (see TForm activation).
    TForm* ActiveForm() const { return activeForm_; }
    void SetActiveForm(TForm* form) { activeForm_ = form; }
    void FormDestroyed(TForm* form);

    // Destroys every form; used by tests that create forms in-process more than once.
    void DestroyForms();
    void ResetForTests();

  private:
    void Adopt(std::unique_ptr<TForm> form);
    void GiveBackMainFormOwner();
    // Shows the application window with the program's icon: the taskbar button of a dialog.
    void ShowTaskbarButton();
    void WatchMainFormOwner();
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    UniqueIcon smallIcon_; // outlives the window that shows it
    UniqueWindow window_;
    std::string title_;
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* mainForm_ = nullptr;
    HWND mainFormOwner_ = nullptr; // another program's window, borrowed
    TForm* activeForm_ = nullptr;
    bool terminated_ = false;
};

// The program's one application object.
extern TApplication Application;

// Module instance of the running program (its resources).
HINSTANCE ModuleInstance();

// Reads a system metric (GetSystemMetrics); tests put other monitors in its place.
extern int (*SystemMetric)(int index);
// The area a full-screen form covers, in screen coordinates: every monitor, or the primary
// screen where the system has no virtual-screen metrics.
tavrin::Rect CoveredScreen();

// Asks the system for real pixels (no stretching of a program it takes for a 96-dpi one), best
// first: per-monitor v2 (Windows 10 1703), per-monitor (8.1), system (Vista); nothing before.
// Called before any window is made.
void DeclareDpiAware();

// Modal boxes with fixed texts: the plain box (no icon, one OK, the title as caption) and
// the warning box (caption "Warning", exclamation icon, one OK).
void ShowMessage(const std::string& text);
void ShowWarning(const std::string& text, bool centreOnScreen = false);

} // namespace tk
