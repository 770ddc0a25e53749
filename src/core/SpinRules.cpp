#include "core/SpinRules.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Rounding.h"

namespace tavrin {

namespace {

int ClampToSpin(std::int64_t value) {
    if (value < kSpinMin) return kSpinMin;
    if (value > kSpinMax) return kSpinMax;
    return static_cast<int>(value);
}

} // namespace

bool AcceptsChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || code < 32;
}

bool FitsLength(std::string_view text, int maxLength) {
    return maxLength >= 0 && text.size() <= static_cast<std::size_t>(maxLength);
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

int StepUp(int value) {
    return ClampToSpin(static_cast<std::int64_t>(value) + 1);
}

int StepDown(int value) {
    return ClampToSpin(static_cast<std::int64_t>(value) - 1);
}

std::string TextOnFocusLost(std::string_view text) {
    const std::optional<int> number = ParseWholeNumber(text);
    if (number && *number < kSpinMin) return std::to_string(kSpinMin);
    if (number && *number > kSpinMax) return std::to_string(kSpinMax);
    return std::string(text);
}

int ValueForCls(long double cls) {
    if (std::isnan(cls)) return kSpinMin;
    // The bounds are whole numbers, so clamping before rounding gives the same result.
    if (cls <= kSpinMin) return kSpinMin;
    if (cls >= kSpinMax) return kSpinMax;
    return RoundHalfEven(cls);
}

} // namespace tavrin
