// The About box, shown modally by the configuration dialog.
#pragma once
#include "toolkit/Toolkit.h"

class TAboutBox : public tk::TForm {
  public:
    TAboutBox();
};
