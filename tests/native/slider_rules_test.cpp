#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/SliderRules.h"

namespace tavrin {
namespace {

TEST(SliderRules, ClampValueKeepsOddValuesInRange) {
    const std::pair<int, int> cases[] = {{1, 2}, {2, 2}, {5, 5}, {7, 7}, {100, 100}, {150, 100}, {-5, 2}};
    for (auto [value, clamped] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(ClampValue(value, 2, 100), clamped);
    }
}

TEST(SliderRules, ValueForDragRoundsHalvesToEven) {
    struct Case {
        int offset, trackLength, value;
    };
    const Case cases[] = {
        {0, 98, 2},     {49, 98, 51}, {98, 98, 100},
        {120, 98, 100}, {-10, 98, 2}, {100, 165, 61}, // 9800 / 165 = 59.39
        {1, 196, 2},                                  // 98 / 196 = 0.5 -> 0
        {3, 196, 4},                                  // 1.5 -> 2
        {5, 196, 4},                                  // 2.5 -> 2
        {7, 196, 6},                                  // 3.5 -> 4
        {10, 0, 2},                                   // no track
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << " of " << c.trackLength);
        EXPECT_EQ(ValueForDrag(c.offset, c.trackLength, 2, 100), c.value);
    }
}

TEST(SliderRules, ArrowKeysStepFromTheRoundedHalf) {
    struct Case {
        int value, right, left;
    };
    // r = value / 2 with halves to even; right 2r + 2, left 2r - 2, clamped into 2..100.
    const Case cases[] = {
        {2, 4, 2},                 // r 1
        {3, 6, 2},                 // r = 1.5 -> 2
        {4, 6, 2},                 // r 2
        {5, 6, 2},                 // r = 2.5 -> 2
        {7, 10, 6},                // r = 3.5 -> 4
        {9, 10, 6},                // r = 4.5 -> 4
        {10, 12, 8},               // r 5
        {11, 14, 10},              // r = 5.5 -> 6
        {98, 100, 96},             // r 49
        {99, 100, 98},             // r = 49.5 -> 50
        {100, 100, 98}, {1, 2, 2}, // r = 0.5 -> 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(StepRight(c.value), c.right);
        EXPECT_EQ(StepLeft(c.value), c.left);
    }
    EXPECT_EQ(HomeValue(), 2);
    EXPECT_EQ(EndValue(), 100);
}

TEST(SliderRules, StepsWithOtherIncrements) {
    const SliderRange range{0, 50, 5};
    struct Case {
        int value, right, left;
    };
    const Case cases[] = {
        {12, 15, 5},  // 2.4 -> 2
        {13, 20, 10}, // 2.6 -> 3
        {25, 30, 20}, // 5
        {48, 50, 45}, // 9.6 -> 10
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(StepRight(c.value, range), c.right);
        EXPECT_EQ(StepLeft(c.value, range), c.left);
    }
    const SliderRange tens{0, 100, 10};
    EXPECT_EQ(StepRight(25, tens), 30); // 2.5 -> 2
    EXPECT_EQ(StepLeft(35, tens), 30);  // 3.5 -> 4
}

std::vector<int> ValuesOf(const std::vector<TickMark>& ticks) {
    std::vector<int> values;
    for (const TickMark& t : ticks)
        values.push_back(t.value);
    return values;
}

TEST(SliderRules, TickMarksOfTheSpeedSlider) {
    // 100 px for 98 values: one increment is 2.04 px, two are 4.08 px, so every 4th value.
    const std::vector<TickMark> ticks = TickMarks(kSpeedSlider, 100);
    ASSERT_EQ(ticks.size(), 26u); // 2, 6, ..., 98 and 100
    EXPECT_EQ(ticks[0], (TickMark{2, 0, 5}));
    EXPECT_EQ(ticks[1], (TickMark{6, 4, 3}));    // 4 * 100 / 98 = 4.08
    EXPECT_EQ(ticks[24], (TickMark{98, 98, 3})); // 96 * 100 / 98 = 97.96
    EXPECT_EQ(ticks[25], (TickMark{100, 100, 5}));

    // 196 px: one increment is exactly 4 px, so every increment gets a tick.
    const std::vector<TickMark> dense = TickMarks(kSpeedSlider, 196);
    ASSERT_EQ(dense.size(), 50u);
    EXPECT_EQ(dense[1], (TickMark{4, 4, 3}));
    EXPECT_EQ(dense[48], (TickMark{98, 192, 3}));
    EXPECT_EQ(dense[49], (TickMark{100, 196, 5}));

    // 195 px: one increment is 3.98 px, too close.
    EXPECT_EQ(TickMarks(kSpeedSlider, 195).size(), 26u);
}

TEST(SliderRules, TickMarksOfSmallRanges) {
    // 0..8 by 1 over 36 px: 4.5 px apart, offsets rounded with halves to even.
    EXPECT_EQ(TickMarks({0, 8, 1}, 36), (std::vector<TickMark>{{0, 0, 5},
                                                               {1, 4, 3},
                                                               {2, 9, 3},
                                                               {3, 14, 3},
                                                               {4, 18, 3},
                                                               {5, 22, 3},
                                                               {6, 27, 3},
                                                               {7, 32, 3},
                                                               {8, 36, 5}}));
    // 0..10 by 5: 8 px gives 4 px steps; 7 px leaves a single interval.
    EXPECT_EQ(TickMarks({0, 10, 5}, 8), (std::vector<TickMark>{{0, 0, 5}, {5, 4, 3}, {10, 8, 5}}));
    EXPECT_EQ(TickMarks({0, 10, 5}, 7), (std::vector<TickMark>{{0, 0, 5}, {10, 7, 5}}));
    EXPECT_EQ(ValuesOf(TickMarks({0, 10, 5}, 1)), (std::vector<int>{0, 10}));
    // An increment that does not divide the range: the last step to max is shorter.
    EXPECT_EQ(TickMarks({0, 10, 3}, 100),
              (std::vector<TickMark>{{0, 0, 5}, {3, 30, 3}, {6, 60, 3}, {9, 90, 3}, {10, 100, 5}}));
    // No range at all: one tick.
    EXPECT_EQ(TickMarks({5, 5, 1}, 50), (std::vector<TickMark>{{5, 0, 5}}));
}

} // namespace
} // namespace tavrin
