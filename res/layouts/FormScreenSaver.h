// Layout of the saver window: a borderless, top-most, maximised form with the hidden password
// panel (made when it is first shown: most runs never need it) and the three timers. The panel
// scales with the screen's density; the picture show under it is sized in pixels to the screen
// by the form (Unit1).
#pragma once
#include "settings/RegistryLayout.h"
#include "toolkit/Layout.h"

// The tables are laid out by hand, a control to a row or two.
// clang-format off
namespace layouts {
using namespace tk;

inline constexpr FontSpec kSaverLabelFont = {.face = "MS Sans Serif", .height = 11};

inline constexpr ControlSpec kFormScreenSaverControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel, .bounds = {120, 13, 280, 74}, .caption = " ",
     .visible = false, .deferred = true, .tabOrder = 0, .bevelInner = BevelStyle::Lowered, .bevelOuter = BevelStyle::Raised,
     .singleBorder = true},
    {.name = "Label1", .kind = ControlKind::Label, .parent = "Panel1", .bounds = {20, 13, 162, 13},
     .caption = "Type your screen saver password:", .font = kSaverLabelFont, .tabStop = false},
    {.name = "MaskEdit1", .kind = ControlKind::Edit, .parent = "Panel1", .bounds = {20, 33, 167, 19},
     .tabOrder = 0, .maxLength = tavrin::kMaxPasswordLength, .passwordChar = '#'},
    {.name = "ButtonOK", .kind = ControlKind::Button, .parent = "Panel1", .bounds = {203, 13, 61, 20},
     .caption = "OK", .tabOrder = 1},
    {.name = "ButtonCancel", .kind = ControlKind::Button, .parent = "Panel1", .bounds = {203, 39, 61, 20},
     .caption = "Cancel", .tabOrder = 2},
    // The set-up replaces these two intervals with the settings' pace and cleaning interval.
    {.name = "TimerSpeed", .kind = ControlKind::Timer, .interval = 200, .enabled = false},
    {.name = "TimerCLS", .kind = ControlKind::Timer, .interval = 6000, .enabled = false},
    {.name = "TimerShowPanel", .kind = ControlKind::Timer, .interval = 30000, .enabled = false},
};

inline constexpr FormSpec kFormScreenSaver = {
    .className = "TFormScreenSaver",
    .caption = "ScreenSaverWindow",
    .border = BorderStyle::None,
    .topMost = true,
    .state = WindowState::Maximized,
    .colour = Colour::Grey,
    .visible = true,
    .position = Position::Default,
    .designBounds = {0, 0, 448, 103},
    .font = {.face = "MS Sans Serif", .height = 10},
    .scaled = true,
    .controls = kFormScreenSaverControls,
};

// clang-format on
} // namespace layouts
