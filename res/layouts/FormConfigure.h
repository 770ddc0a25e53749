// Layout of the configuration dialog.
#pragma once
#include "resource_ids.h"
#include "toolkit/Layout.h"

namespace layouts {
using namespace tk;

inline constexpr FormSpec kFormConfigure = {
    .className = "TFormConfigure",
    .caption = "Screen Saver Configuring",
    .border = BorderStyle::Single,
    .position = Position::ScreenCenter,
    .designBounds = {0, 0, 571, 296},
    .font = {.face = "Arial", .height = 15},
    .iconId = IDI_FORM_CONFIGURE,
};

} // namespace layouts
