// Layout of the change-password dialog: two password edits, their labels and two buttons,
// none of them the form's default or cancel button (Enter and Escape press nothing).
#pragma once
#include "resource_ids.h"
#include "settings/RegistryLayout.h"
#include "toolkit/Layout.h"

// The tables are laid out by hand, a control to a row or two.
// clang-format off
namespace layouts {
using namespace tk;

inline constexpr FontSpec kPasswordLabelFont = {.face = "Arial", .height = 12, .charset = RUSSIAN_CHARSET};
inline constexpr FontSpec kPasswordButtonFont = {.face = "Arial", .height = 13};

inline constexpr ControlSpec kFormPasswordControls[] = {
    {.name = "Label1", .kind = ControlKind::Label, .bounds = {21, 7, 237, 15},
     .caption = "Change password for Tavrin Screen Saver", .font = kPasswordLabelFont, .tabStop = false},
    {.name = "Label2", .kind = ControlKind::Label, .bounds = {73, 40, 86, 15}, .caption = "New password:",
     .font = kPasswordLabelFont, .tabStop = false},
    {.name = "Label3", .kind = ControlKind::Label, .bounds = {26, 67, 131, 15}, .caption = "Confirm new password:",
     .font = kPasswordLabelFont, .tabStop = false},
    {.name = "ButtonOK", .kind = ControlKind::Button, .bounds = {347, 7, 67, 23}, .caption = "OK",
     .font = kPasswordButtonFont, .tabOrder = 0},
    {.name = "ButtonC", .kind = ControlKind::Button, .bounds = {347, 35, 67, 23}, .caption = "Cancel",
     .font = kPasswordButtonFont, .tabOrder = 1},
    {.name = "MaskEditNP", .kind = ControlKind::Edit, .bounds = {177, 35, 143, 22}, .tabOrder = 2,
     .maxLength = tavrin::kMaxPasswordLength, .passwordChar = '#'},
    {.name = "MaskEditCNP", .kind = ControlKind::Edit, .bounds = {177, 64, 143, 22}, .tabOrder = 3,
     .maxLength = tavrin::kMaxPasswordLength, .passwordChar = '#'},
};

inline constexpr FormSpec kFormPassword = {
    .className = "TFormPassword",
    .caption = "Change password",
    .border = BorderStyle::Single,
    .position = Position::Designed,
    .designBounds = {226, 197, 431, 97},
    .font = {.face = "Arial", .height = 11, .italic = true},
    .scaled = true,
    .iconId = IDI_FORM_PASSWORD,
    .controls = kFormPasswordControls,
};

// clang-format on
} // namespace layouts
