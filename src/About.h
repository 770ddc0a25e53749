// The About box: the program icon, the product name and the credit line; the name and the
// credit line open the maker's home page. Shown modally by the configuration dialog.
#pragma once
#include "AboutCredits.h"
#include "toolkit/Toolkit.h"

class TAboutBox : public tk::TForm {
  public:
    TAboutBox();
    ~TAboutBox() override;

    tk::TPanel* Panel1 = nullptr;
    tk::TBevel* Bevel1 = nullptr;
    tk::TImage* ProgramIcon = nullptr;
    tk::TLabel* ProductName = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TButton* OKButton = nullptr;

    void FormActivate();
    void GoToHomePage();

  protected:
    void Loaded() override;
};

// The box while it is shown, nullptr otherwise.
extern TAboutBox* AboutBox;

// Creates an About box owned by the application window, shows it modally (the program's other
// windows are disabled meanwhile) and destroys it when it closes. Returns Ok when it was
// closed with its button (or Enter), Cancel when with the close box.
tk::ModalResult ShowAboutBox();
