#include "Unit2.h"

#include "layouts/FormConfigure.h"

TFormConfigure* FormConfigure = nullptr;

TFormConfigure::TFormConfigure() : tk::TForm(layouts::kFormConfigure) { FormConfigure = this; }
