#include "core/SpinRules.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Rounding.h"

namespace tavrin {

namespace {

int ClampToSpin(std::int64_t value, const SpinRange& range) {
    if (value < range.min) return range.min;
    if (value > range.max) return range.max;
    return static_cast<int>(value);
}

} // namespace

bool AcceptsChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || code < 32;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;

    // Accumulate as a negative number so INT_MIN parses too.
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 - (c - '0');
        if (value < std::numeric_limits<int>::min()) return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(value);
}

int ValueOfText(std::string_view text) {
    return ParseWholeNumber(text).value_or(1);
}

int StepUp(int value, const SpinRange& range) {
    return ClampToSpin(static_cast<std::int64_t>(value) + 1, range);
}

int StepDown(int value, const SpinRange& range) {
    return ClampToSpin(static_cast<std::int64_t>(value) - 1, range);
}

std::string TextOnFocusLost(std::string_view text, const SpinRange& range) {
    const std::optional<int> number = ParseWholeNumber(text);
    if (number && *number < range.min) return std::to_string(range.min);
    if (number && *number > range.max) return std::to_string(range.max);
    return std::string(text);
}

int ValueForCls(long double cls) {
    if (std::isnan(cls)) return kClsSpin.min;
    // The bounds are whole numbers, so clamping before rounding gives the same result.
    if (cls <= kClsSpin.min) return kClsSpin.min;
    if (cls >= kClsSpin.max) return kClsSpin.max;
    return RoundHalfEven(cls);
}

} // namespace tavrin
