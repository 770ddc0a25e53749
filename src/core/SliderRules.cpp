#include "core/SliderRules.h"

#include <algorithm>
#include <cstdint>

namespace tavrin {

namespace {

// numerator / denominator (denominator > 0) to the nearest whole number, halves to even,
// the same tie rule as the rest of the program's rounding.
std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) { // make it a floor division
        remainder += denominator;
        --quotient;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

std::int64_t DivideRoundUp(std::int64_t numerator, std::int64_t denominator) {
    return (numerator + denominator - 1) / denominator; // both positive here
}

int Clamp64(std::int64_t value, int min, int max) {
    if (value > max) value = max;
    if (value < min) value = min;
    return static_cast<int>(value);
}

int PositiveIncrement(const SliderRange& range) {
    return range.increment > 0 ? range.increment : 1;
}

// Snaps to the nearest multiple of the increment, then moves one increment by direction.
int Step(int value, const SliderRange& range, int direction) {
    const int increment = PositiveIncrement(range);
    const std::int64_t r = DivideRoundHalfEven(value, increment);
    return Clamp64((r + direction) * increment, range.min, range.max);
}

// Smallest e such that ticks increment * e apart are at least 4 px apart, or e covering
// the whole range in one interval, whichever is smaller.
std::int64_t TickStride(std::int64_t span, std::int64_t increment, int trackPixels) {
    const std::int64_t single = DivideRoundUp(span, increment);
    if (trackPixels <= 0) return single;
    const std::int64_t spaced = DivideRoundUp(4 * span, increment * trackPixels);
    return std::max<std::int64_t>(1, std::min(spaced, single));
}

} // namespace

int ClampValue(int value, int min, int max) {
    return Clamp64(value, min, max);
}

int ValueForDrag(int offset, int trackLength, int min, int max) {
    if (trackLength <= 0) return ClampValue(min, min, max);
    const std::int64_t moved = DivideRoundHalfEven(
        static_cast<std::int64_t>(offset) * (static_cast<std::int64_t>(max) - min), trackLength);
    return Clamp64(min + moved, min, max);
}

int StepRight(int value, const SliderRange& range) {
    return Step(value, range, +1);
}

int StepLeft(int value, const SliderRange& range) {
    return Step(value, range, -1);
}

std::vector<TickMark> TickMarks(const SliderRange& range, int trackPixels) {
    constexpr int kEndLength = 5;
    constexpr int kInnerLength = 3;
    const std::int64_t span = static_cast<std::int64_t>(range.max) - range.min;
    if (span <= 0) return {TickMark{range.min, 0, kEndLength}};

    const int pixels = std::max(trackPixels, 0);
    auto offsetOf = [&](std::int64_t value) {
        return static_cast<int>(DivideRoundHalfEven((value - range.min) * pixels, span));
    };
    const std::int64_t stride =
        PositiveIncrement(range) * TickStride(span, PositiveIncrement(range), trackPixels);

    std::vector<TickMark> ticks{TickMark{range.min, 0, kEndLength}};
    for (std::int64_t value = range.min + stride; value < range.max; value += stride) {
        ticks.push_back(TickMark{static_cast<int>(value), offsetOf(value), kInnerLength});
    }
    ticks.push_back(TickMark{range.max, pixels, kEndLength});
    return ticks;
}

} // namespace tavrin
