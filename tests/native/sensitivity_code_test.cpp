// The input-kind code both ways, as the configuration dialog maps it onto its three boxes:
// a stored code ticks boxes by membership (never by digits), and ticked boxes encode back.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/SensitivityCode.h"

namespace {

using tavrin::InputKind;
using tavrin::SensitivityEnables;

struct Boxes {
    bool keyboard, click, move;
    friend bool operator==(const Boxes&, const Boxes&) = default;
};

Boxes BoxesFor(std::uint8_t code) {
    return {SensitivityEnables(code, InputKind::Keyboard), SensitivityEnables(code, InputKind::MouseClick),
            SensitivityEnables(code, InputKind::MouseMove)};
}

TEST(SensitivityCode, StoredCodeTicksTheBoxesByMembership) {
    const struct {
        std::uint8_t code;
        Boxes boxes;
    } cases[] = {
        {1, {true, false, false}},    {10, {false, true, false}},
        {11, {true, true, false}},    {100, {false, false, true}},
        {101, {true, false, true}},   {110, {false, true, true}},
        {111, {true, true, true}},    {0, {false, false, false}},
        {2, {false, false, false}},   {12, {false, false, false}},
        {112, {false, false, false}}, {21, {false, false, false}},
        {255, {false, false, false}}, {static_cast<std::uint8_t>(257), {true, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BoxesFor(c.code), c.boxes) << int{c.code};
}

// Every combination of ticks survives a save and a load, except "none", which means "all".
TEST(SensitivityCode, TickedBoxesRoundTrip) {
    for (int bits = 0; bits < 8; ++bits) {
        const Boxes ticked{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        const std::uint8_t code = tavrin::EncodeSensitivity(ticked.keyboard, ticked.click, ticked.move);
        const Boxes expected = bits == 0 ? Boxes{true, true, true} : ticked;
        EXPECT_EQ(BoxesFor(code), expected) << bits;
    }
}

} // namespace
