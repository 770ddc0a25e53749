// The change-password dialog: the new password typed twice; once both entries agree it is
// stored and the program ends.
#pragma once
#include "toolkit/Toolkit.h"

#include <string>

class TFormPassword : public tk::TForm {
  public:
    TFormPassword();
    ~TFormPassword() override;

    tk::TLabel* Label1 = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TLabel* Label3 = nullptr;
    tk::TButton* ButtonOK = nullptr;
    tk::TButton* ButtonC = nullptr;
    tk::TEdit* MaskEditNP = nullptr;
    tk::TEdit* MaskEditCNP = nullptr;

    void FormActivate();
    void ButtonOKClick();
    void ButtonCClick();

  protected:
    void Loaded() override;

  private:
    bool StorePassword(const std::string& password);
};

extern TFormPassword* FormPassword;
