// Layout of the About box.
#pragma once
#include "toolkit/Layout.h"

namespace layouts {
using namespace tk;

inline constexpr FormSpec kAboutBox = {
    .className = "TAboutBox",
    .caption = "About Screen Saver",
    .border = BorderStyle::Dialog,
    .position = Position::ScreenCenter,
    .designBounds = {0, 0, 277, 155},
    .font = {.face = "MS Sans Serif", .height = 11},
};

} // namespace layouts
