// Layout of the About box: a lowered panel holding the framed program icon and product name
// and the credit line, with the default "OK" button over the panel's lower right corner.
#pragma once
#include "AboutCredits.h"
#include "toolkit/Layout.h"
#include "version.h"

// The tables are laid out by hand, a control to a row or two.
// clang-format off
namespace layouts {
using namespace tk;

inline constexpr char kHomePageHint[] = "Go to Home Page...";

// OKButton comes first: among siblings of equal tab order the earlier one lies above, and the
// button overlaps the panel. It is no tab stop, so its place in the tab order changes nothing.
inline constexpr ControlSpec kAboutBoxControls[] = {
    {.name = "OKButton", .kind = ControlKind::Button, .bounds = {168, 108, 81, 25}, .caption = "OK",
     .font = {.face = "Courier New", .height = 17}, .tabOrder = 0, .tabStop = false, .isDefault = true},
    {.name = "Panel1", .kind = ControlKind::Panel, .bounds = {10, 8, 255, 137}, .tabOrder = 0,
     .bevelInner = BevelStyle::Lowered, .bevelOuter = BevelStyle::Lowered},
    {.name = "Bevel1", .kind = ControlKind::Bevel, .parent = "Panel1", .bounds = {13, 13, 228, 68},
     .bevelOuter = BevelStyle::Raised},
    {.name = "ProgramIcon", .kind = ControlKind::Image, .parent = "Panel1", .bounds = {29, 31, 36, 34},
     .hint = kHomePageHint, .showHint = false, .stretch = true},
    {.name = "ProductName", .kind = ControlKind::Label, .parent = "Panel1", .bounds = {96, 31, 122, 31},
     .caption = "Tavrin " TAVRIN_VERSION_TEXT,
     .font = {.face = "Times New Roman", .height = 27, .italic = true, .colour = Colour::Navy}, .tabStop = false,
     .hint = kHomePageHint, .showHint = true, .cursor = Cursor::HandPoint},
    {.name = "Label1", .kind = ControlKind::Label, .parent = "Panel1", .bounds = {16, 104, 123, 16},
     .caption = about::kCreditLine, .font = {.face = "Arial", .height = 13, .colour = Colour::Black},
     .tabStop = false, .hint = kHomePageHint, .showHint = true, .cursor = Cursor::HandPoint},
};

inline constexpr FormSpec kAboutBox = {
    .className = "TAboutBox",
    .caption = "About Screen Saver",
    .border = BorderStyle::Dialog,
    .position = Position::ScreenCenter,
    .designBounds = {0, 0, 277, 155},
    .font = {.face = "MS Sans Serif", .height = 11},
    .controls = kAboutBoxControls,
};

// clang-format on
} // namespace layouts
