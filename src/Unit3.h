// The change-password dialog.
#pragma once
#include "toolkit/Toolkit.h"

class TFormPassword : public tk::TForm {
  public:
    TFormPassword();
};

extern TFormPassword* FormPassword;
