// The saver window: covers the screen with the frozen desktop (or black), stamps pictures,
// wipes them, watches the user's input and asks for the password when one is set.
#pragma once
#include "PictureShow.h"
#include "core/InputWatch.h"
#include "core/PictureTick.h"
#include "settings/SaverSettings.h"
#include "toolkit/Toolkit.h"

#include <functional>

class TFormScreenSaver : public tk::TForm {
  public:
    TFormScreenSaver();
    ~TFormScreenSaver() override;

    tk::TPanel* Panel1 = nullptr;
    tk::TEdit* MaskEdit1 = nullptr;
    tk::TButton* ButtonOK = nullptr;
    tk::TButton* ButtonCancel = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TTimer* TimerCLS = nullptr;
    tk::TTimer* TimerSpeed = nullptr;
    tk::TTimer* TimerShowPanel = nullptr;
    // Made with the form, so the draw is seeded before FormCreate loads the settings; its
    // surface covers every monitor, and the ticks stamp on the window over it.
    TPictureShow PictureShow;

    void FormActivate();
    void Timer1Timer();
    void TimerCLSTimer();
    void TimerShowPanelTimer();
    // Gives the desktop back (also from the handlers of a crash).
    void ExitScreenSaver();

  protected:
    void Loaded() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void FormClose();
    bool FormCloseQuery();
    void ButtonOKClick();
    void ButtonCancelClick();
    void ShowExitPanel();
    void GetMyRegistry();
    // The application-wide message filter while the saver watches for input.
    void CheckUserInput(MSG& Msg, bool& Handled);
    void TakeOverDesktop();
    bool PasswordProtected() const;
    void OtherProgramActivated();
    void ArmInputFilter();
    void ArmInputFilterAfter(const std::function<void()>& steps);
    void DisarmInputFilter();

    // The shell's question whether a CD's AutoRun program may start.
    const UINT queryCancelAutoPlay_;
    // The window that had the keyboard when the saver started (another program's, borrowed).
    HWND previousForeground_ = nullptr;
    // The side of a stamp in pixels, for the primary monitor's density.
    int stampSize_ = tavrin::kPictureSize;
    // True from the first activation on, when the set-up takes over the desktop.
    bool takenOver_ = false;
    // True once the end has begun: the foreground given back is the saver's own doing.
    bool desktopGivenBack_ = false;
    // The area the window covers and its background shows, in screen coordinates: read when the
    // window is created.
    tavrin::Rect covered_{};
    // The screen as it is now, for the ticks: the covered area until the display changes.
    tavrin::Rect screenNow_{};
    int CoveredWidth() const { return covered_.right - covered_.left; }
    int CoveredHeight() const { return covered_.bottom - covered_.top; }
};

extern TFormScreenSaver* FormScreenSaver;

// The saver's settings, loaded once when the window is created.
extern tavrin::SaverSettings SaverSettings;
// The input watch: armed by the set-up and after the password panel goes away.
extern tavrin::InputWatch SaverInputWatch;
