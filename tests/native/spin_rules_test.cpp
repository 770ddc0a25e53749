#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>

#include "core/SpinRules.h"

namespace tavrin {
namespace {

TEST(SpinRules, TypingAcceptsDigitsSignsAndControlKeys) {
    const std::pair<char, bool> cases[] = {
        {'0', true},    {'5', true},  {'9', true},     {'+', true},     {'-', true},
        {'\b', true},   {'\t', true}, {'\r', true},    {'\x1b', true},  {'\x01', true},
        {'\x1f', true}, {' ', false}, {'a', false},    {'.', false},    {',', false},
        {'/', false},   {':', false}, {'\x7f', false}, {'\xe9', false}, {'\xb2', false},
    };
    for (auto [c, accepted] : cases) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c)));
        EXPECT_EQ(AcceptsChar(c), accepted);
    }
}

TEST(SpinRules, ValueOfTextReadsUnparsableAsOne) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"12", 12},
        {"5", 5},
        {"+7", 7},
        {"-3", -3},
        {"0", 0},
        {"05", 5},
        {"99", 99},
        {"", 1},
        {"-", 1},
        {"+", 1},
        {"1a", 1},
        {" 5", 1},
        {"5 ", 1},
        {"--1", 1},
        {"+-1", 1},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", 1},
        {"-2147483649", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ValueOfText(c.text), c.value);
    }
}

TEST(SpinRules, StepsAddOrSubtractOneWithinOneToSixty) {
    struct Case {
        int value, up, down;
    };
    const Case cases[] = {
        {1, 2, 1}, {2, 3, 1},    {12, 13, 11},  {59, 60, 58},      {60, 60, 59},
        {0, 1, 1}, {61, 60, 60}, {100, 60, 60}, {INT_MAX, 60, 60}, {INT_MIN, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(StepUp(c.value), c.up);
        EXPECT_EQ(StepDown(c.value), c.down);
    }
}

TEST(SpinRules, FocusLossReplacesOutOfRangeNumbersOnly) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"0", "1"},   {"00", "1"},  {"-5", "1"},  {"61", "60"}, {"75", "60"}, {"99", "60"}, {"1", "1"},
        {"12", "12"}, {"60", "60"}, {"+5", "+5"}, {"05", "05"}, {"-", "-"},   {"+", "+"},   {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(TextOnFocusLost(c.typed), c.kept);
    }
}

TEST(SpinRules, StoredClsShownClampedAndRounded) {
    struct Case {
        long double cls;
        int shown;
    };
    const long double inf = std::numeric_limits<long double>::infinity();
    const Case cases[] = {
        {12.0L, 12}, {12.4L, 12}, {12.5L, 12}, {13.5L, 14},
        {12.6L, 13}, {0.0L, 1},   {0.4L, 1},   {1.5L, 2},
        {-7.0L, 1},  {75.0L, 60}, {60.0L, 60}, {59.5L, 60},
        {59.4L, 59}, {inf, 60},   {-inf, 1},   {std::numeric_limits<long double>::quiet_NaN(), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.cls));
        EXPECT_EQ(ValueForCls(c.cls), c.shown);
    }
}

} // namespace
} // namespace tavrin
