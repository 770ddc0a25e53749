// Layout of the change-password dialog.
#pragma once
#include "resource_ids.h"
#include "toolkit/Layout.h"

namespace layouts {
using namespace tk;

inline constexpr FormSpec kFormPassword = {
    .className = "TFormPassword",
    .caption = "Change password",
    .border = BorderStyle::Single,
    .position = Position::Designed,
    .designBounds = {226, 197, 431, 97},
    .font = {.face = "Arial", .height = 11, .italic = true},
    .scaled = true,
    .iconId = IDI_FORM_PASSWORD,
};

} // namespace layouts
