#include "Unit3.h"

#include "layouts/FormPassword.h"

TFormPassword* FormPassword = nullptr;

TFormPassword::TFormPassword() : tk::TForm(layouts::kFormPassword) { FormPassword = this; }
