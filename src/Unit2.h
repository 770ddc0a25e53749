// The configuration dialog.
#pragma once
#include "toolkit/Toolkit.h"

class TFormConfigure : public tk::TForm {
  public:
    TFormConfigure();
};

extern TFormConfigure* FormConfigure;
