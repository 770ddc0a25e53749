// Layout of the configuration dialog: the five picture sets on a page control, the
// background, the delay slider, the cleaning interval, the three kinds of input and the
// three buttons.
#pragma once
#include "core/SliderRules.h"
#include "core/SpinRules.h"
#include "resource_ids.h"
#include "toolkit/Layout.h"

// The tables are laid out by hand, a control to a row or two.
// clang-format off
namespace layouts {
using namespace tk;

inline constexpr FontSpec kConfigureButtonFont = {.face = "Courier New", .height = 19, .bold = true};
inline constexpr FontSpec kConfigureAboutFont = {
    .face = "Courier New", .height = 19, .bold = true, .charset = CHINESEBIG5_CHARSET};

// Item k of every list shows picture k + 1 of its set, captioned k + 1; the first set's 23rd
// picture is captioned with a leading blank.
inline constexpr char kPictureCaptions[] =
    "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20\n"
    "21\n22\n23\n24\n25";
inline constexpr char kFirstSetCaptions[] =
    "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20\n"
    "21\n22\n 23\n24\n25";

inline constexpr Bounds kListViewBounds = {8, 8, 417, 77};

constexpr ControlSpec PictureList(const char* name, const char* sheet, const char* captions) {
    return {.name = name,
            .kind = ControlKind::ListView,
            .parent = sheet,
            .bounds = kListViewBounds,
            .tabStop = false,
            .items = captions,
            .colour = Colour::ButtonFace};
}

constexpr ControlSpec SetSheet(const char* name, const char* caption) {
    return {.name = name,
            .kind = ControlKind::TabSheet,
            .parent = "PageControl1",
            .caption = caption,
            .tabStop = false};
}

// One row per control, like the dialog's layout table.
// clang-format off
inline constexpr ControlSpec kFormConfigureControls[] = {
    {.name = "PageControl1", .kind = ControlKind::PageControl, .bounds = {8, 8, 441, 129}, .tabOrder = 7,
     .tabStop = false, .hint = "choose set", .showHint = false, .tabWidth = 86},
    SetSheet("TabSheet1", "Set 1"),
    SetSheet("TabSheet2", "Set 2"),
    SetSheet("TabSheet3", "Set 3"),
    SetSheet("TabSheet4", "Set 4"),
    SetSheet("TabSheet5", "Set 5"),
    PictureList("ListView1", "TabSheet1", kFirstSetCaptions),
    PictureList("ListView2", "TabSheet2", kPictureCaptions),
    PictureList("ListView3", "TabSheet3", kPictureCaptions),
    PictureList("ListView4", "TabSheet4", kPictureCaptions),
    PictureList("ListView5", "TabSheet5", kPictureCaptions),

    {.name = "BackgroundRadioGroup", .kind = ControlKind::RadioGroup, .bounds = {8, 144, 241, 73},
     .caption = "Background", .tabOrder = 6, .items = "Black\nTransparent", .columns = 2, .itemIndex = 1},

    {.name = "GroupBox1", .kind = ControlKind::GroupBox, .bounds = {8, 224, 241, 57}, .caption = "Varp Delay",
     .tabOrder = 1},
    {.name = "min", .kind = ControlKind::Label, .parent = "GroupBox1", .bounds = {11, 24, 24, 17},
     .caption = "min", .tabStop = false},
    {.name = "RxSliderSpeed", .kind = ControlKind::Slider, .parent = "GroupBox1", .bounds = {35, 16, 165, 33},
     .tabStop = false, .minValue = tavrin::kSpeedSlider.min, .maxValue = tavrin::kSpeedSlider.max,
     .increment = tavrin::kSpeedSlider.increment, .value = tavrin::kSpeedSliderDefault},
    {.name = "max", .kind = ControlKind::Label, .parent = "GroupBox1", .bounds = {200, 24, 28, 17},
     .caption = "max", .tabStop = false},

    {.name = "GroupBox2", .kind = ControlKind::GroupBox, .bounds = {264, 144, 121, 137}, .caption = "Screen ",
     .tabOrder = 2},
    {.name = "Label1", .kind = ControlKind::Label, .parent = "GroupBox2", .bounds = {22, 32, 77, 17},
     .caption = "Clean every", .tabStop = false},
    {.name = "RxSpinEditCLS", .kind = ControlKind::SpinEdit, .parent = "GroupBox2",
     .bounds = {32, 64, 49, 26}, .caption = "12", .tabStop = false, .maxLength = 2,
     .minValue = tavrin::kClsSpin.min, .maxValue = tavrin::kClsSpin.max, .increment = 1,
     .value = tavrin::kClsSpinDefault},
    {.name = "Label2", .kind = ControlKind::Label, .parent = "GroupBox2", .bounds = {32, 104, 52, 17},
     .caption = "minutes", .tabStop = false},

    {.name = "SSSensitivity", .kind = ControlKind::GroupBox, .bounds = {399, 144, 162, 137},
     .caption = "Sensitivity", .tabOrder = 0},
    {.name = "CheckBoxMM", .kind = ControlKind::CheckBox, .parent = "SSSensitivity",
     .bounds = {24, 32, 105, 15}, .caption = "Move Mouse", .tabStop = false, .checked = true},
    {.name = "CheckBoxCM", .kind = ControlKind::CheckBox, .parent = "SSSensitivity",
     .bounds = {24, 64, 105, 18}, .caption = "Click Mouse", .tabStop = false, .checked = true},
    {.name = "CheckBoxK", .kind = ControlKind::CheckBox, .parent = "SSSensitivity",
     .bounds = {24, 96, 96, 18}, .caption = "Keyboard", .tabStop = false, .checked = true},

    {.name = "ButtonOK", .kind = ControlKind::Button, .bounds = {464, 16, 89, 33}, .caption = "Save",
     .font = kConfigureButtonFont, .tabOrder = 3, .hint = "Save configuration", .showHint = true,
     .cursor = Cursor::HandPoint},
    {.name = "ButtonC", .kind = ControlKind::Button, .bounds = {464, 56, 91, 33}, .caption = "Cancel",
     .font = kConfigureButtonFont, .tabOrder = 4, .cursor = Cursor::HandPoint},
    {.name = "ButtonA", .kind = ControlKind::Button, .bounds = {464, 96, 89, 33}, .caption = "About",
     .font = kConfigureAboutFont, .tabOrder = 5, .hint = "About Screen Saver", .showHint = true,
     .cursor = Cursor::HandPoint},
};
// clang-format on

inline constexpr FormSpec kFormConfigure = {
    .className = "TFormConfigure",
    .caption = "Screen Saver Configuring",
    .border = BorderStyle::Single,
    .position = Position::ScreenCenter,
    .designBounds = {0, 0, 571, 296},
    .font = {.face = "Arial", .height = 15},
    .iconId = IDI_FORM_CONFIGURE,
    .controls = kFormConfigureControls,
};

// clang-format on
} // namespace layouts
