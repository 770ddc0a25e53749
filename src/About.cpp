#include "About.h"

#include "layouts/AboutBox.h"

TAboutBox::TAboutBox() : tk::TForm(layouts::kAboutBox) {}
