// The pace slider and the cleaning-interval spin edit: whatever the numbers, values stay in
// their range, steps move the right way, drags are monotone and correctly rounded, tick marks
// are ordered and spaced as promised, and typed text parses as a plain integer reader says.
#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "FuzzCheck.h"
#include "core/SliderRules.h"
#include "core/SpinRules.h"

namespace {

using tavrin::SliderRange;
using Wide = __int128; // exact products of two int64 values

// A range with min <= max (the only kind the program builds).
std::pair<int, int> ConsumeBounds(FuzzedDataProvider& in) {
    int a = in.ConsumeIntegral<int>(), b = in.ConsumeIntegral<int>();
    if (a > b) std::swap(a, b);
    return {a, b};
}

void CheckClamp(int value, int min, int max) {
    const int clamped = tavrin::ClampValue(value, min, max);
    FUZZ_CHECK(clamped >= min && clamped <= max);
    FUZZ_CHECK(clamped == (value < min ? min : value > max ? max : value));
}

// Whether `rounded` is numerator / denominator (denominator > 0) rounded to the nearest whole
// number with halves to even, checked exactly in integers.
bool RoundedHalfEven(Wide rounded, Wide numerator, Wide denominator) {
    const Wide error = 2 * (rounded * denominator - numerator);
    if (error > denominator || error < -denominator) return false;
    const bool tie = error == denominator || error == -denominator;
    return !tie || rounded % 2 == 0;
}

void CheckDrag(int offset, int length, int min, int max) {
    const int value = tavrin::ValueForDrag(offset, length, min, max);
    FUZZ_CHECK(value >= min && value <= max);
    if (length <= 0 || offset <= 0) {
        FUZZ_CHECK(value == min);
        return;
    }
    if (offset >= length) {
        FUZZ_CHECK(value == max);
        return;
    }
    FUZZ_CHECK(RoundedHalfEven(Wide{value} - min, Wide{offset} * (Wide{max} - min), length));
    // One pixel further never moves the value back.
    FUZZ_CHECK(tavrin::ValueForDrag(offset + 1, length, min, max) >= value);
}

bool OnGrid(int value, const SliderRange& range) {
    const int increment = range.increment > 0 ? range.increment : 1;
    return value == range.min || value == range.max || value % increment == 0;
}

void CheckSteps(int value, const SliderRange& range) {
    const int right = tavrin::StepRight(value, range), left = tavrin::StepLeft(value, range);
    FUZZ_CHECK(right >= range.min && right <= range.max);
    FUZZ_CHECK(left >= range.min && left <= range.max);
    FUZZ_CHECK(OnGrid(right, range) && OnGrid(left, range));
    FUZZ_CHECK(left <= right);
    // Away from the ends a step is one increment from the nearest multiple (halves to even).
    const int increment = range.increment > 0 ? range.increment : 1;
    if (right > range.min && right < range.max)
        FUZZ_CHECK(RoundedHalfEven(right / increment - 1, value, increment));
    if (left > range.min && left < range.max)
        FUZZ_CHECK(RoundedHalfEven(left / increment + 1, value, increment));
    if (value < range.min || value > range.max) return;
    // From inside the range, each key moves the value its way unless it already sits at that end.
    FUZZ_CHECK(value == range.max ? right == value : right > value);
    FUZZ_CHECK(value == range.min ? left == value : left < value);
}

void CheckTicks(const SliderRange& range, int pixels) {
    const auto ticks = tavrin::TickMarks(range, pixels);
    const Wide span = Wide{range.max} - range.min;
    FUZZ_CHECK(!ticks.empty());
    FUZZ_CHECK((ticks.front() == tavrin::TickMark{range.min, 0, 5}));
    if (span <= 0) {
        FUZZ_CHECK(ticks.size() == 1);
        return;
    }
    const int track = pixels > 0 ? pixels : 0;
    FUZZ_CHECK(ticks.size() >= 2);
    FUZZ_CHECK((ticks.back() == tavrin::TickMark{range.max, track, 5}));
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        FUZZ_CHECK(ticks[i].value > ticks[i - 1].value);
        FUZZ_CHECK(ticks[i].offset >= ticks[i - 1].offset);
        // Each offset is the value's place on the track, rounded to nearest.
        FUZZ_CHECK(RoundedHalfEven(ticks[i].offset, (Wide{ticks[i].value} - range.min) * track, span));
    }
    const std::size_t inner = ticks.size() - 2;
    if (inner == 0) return;
    const int increment = range.increment > 0 ? range.increment : 1;
    const Wide stride = Wide{ticks[1].value} - range.min;
    FUZZ_CHECK(stride % increment == 0);
    for (std::size_t i = 1; i <= inner; ++i) {
        FUZZ_CHECK(ticks[i].length == 3);
        FUZZ_CHECK(Wide{ticks[i].value} - range.min == stride * Wide(i));
    }
    // The regular ticks are at least 4 px apart, and no smaller whole number of increments
    // would keep them so.
    FUZZ_CHECK(stride * track >= 4 * span);
    FUZZ_CHECK(stride == increment || (stride - increment) * track < 4 * span);
}

// A plain reader of an optionally signed decimal integer that must fill the whole text.
std::optional<int> ReferenceParse(const std::string& text) {
    std::string_view digits = text;
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);
        if (digits.starts_with('-')) return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

void CheckSpinText(const std::string& text) {
    const std::optional<int> parsed = tavrin::ParseWholeNumber(text);
    FUZZ_CHECK(parsed == ReferenceParse(text));
    FUZZ_CHECK(tavrin::ValueOfText(text) == parsed.value_or(1));

    const std::string shown = tavrin::TextOnFocusLost(text);
    if (parsed && *parsed < 1)
        FUZZ_CHECK(shown == "1");
    else if (parsed && *parsed > 60)
        FUZZ_CHECK(shown == "60");
    else
        FUZZ_CHECK(shown == text);
    FUZZ_CHECK(tavrin::TextOnFocusLost(shown) == shown);

    for (char c : text) {
        const bool typable = tavrin::AcceptsChar(c);
        FUZZ_CHECK(typable ==
                   ((c >= '0' && c <= '9') || c == '+' || c == '-' || static_cast<unsigned char>(c) < 32));
    }
}

void CheckSpinNumber(int value) {
    FUZZ_CHECK(tavrin::ParseWholeNumber(std::to_string(value)) == value);
    const int up = tavrin::StepUp(value), down = tavrin::StepDown(value);
    FUZZ_CHECK(up >= 1 && up <= 60 && down >= 1 && down <= 60);
    if (value >= 1 && value < 60) FUZZ_CHECK(up == value + 1);
    if (value > 1 && value <= 60) FUZZ_CHECK(down == value - 1);
}

void CheckCls(double a, double b) {
    const int shownA = tavrin::ValueForCls(a);
    FUZZ_CHECK(shownA >= 1 && shownA <= 60);
    if (std::isnan(a)) {
        FUZZ_CHECK(shownA == 1);
        return;
    }
    const double clamped = a < 1 ? 1 : a > 60 ? 60 : a;
    FUZZ_CHECK(std::fabs(shownA - clamped) <= 0.5);
    if (!std::isnan(b) && a <= b) FUZZ_CHECK(shownA <= tavrin::ValueForCls(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto [min, max] = ConsumeBounds(in);
    const int value = in.ConsumeIntegral<int>();
    CheckClamp(value, min, max);
    CheckDrag(in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), min, max);

    const SliderRange range{min, max, in.ConsumeIntegral<int>()};
    CheckSteps(value, range);
    CheckSteps(tavrin::ClampValue(value, min, max), range);
    // Small ranges and tracks only: a slider has at most a few thousand pixels, and a huge
    // range on a huge track would make millions of ticks.
    const int tickMin = in.ConsumeIntegralInRange(-1000, 1000);
    const SliderRange tickRange{tickMin, tickMin + in.ConsumeIntegralInRange(-10, 100000),
                                in.ConsumeIntegralInRange(-5, 5000)};
    CheckTicks(tickRange, in.ConsumeIntegralInRange(-10, 4000));
    CheckTicks(tavrin::kSpeedSlider, in.ConsumeIntegralInRange(-10, 4000));

    CheckSpinNumber(value);
    CheckCls(in.ConsumeFloatingPoint<double>(), in.ConsumeFloatingPoint<double>());
    // Most doubles are far outside the edit's range; these land around it.
    CheckCls(in.ConsumeFloatingPointInRange(-2.0, 62.0), in.ConsumeFloatingPointInRange(-2.0, 62.0));
    CheckSpinText(in.ConsumeRemainingBytesAsString());
    return 0;
}
