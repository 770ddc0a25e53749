// The cleaning-interval spin edit's rules: typing, stepping and reading its value.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

struct SpinRange {
    int min, max;
};

// The cleaning-interval spin edit of the configuration dialog (minutes) and its first value.
inline constexpr SpinRange kClsSpin{1, 60};
inline constexpr int kClsSpinDefault = 12;

// Typing accepts digits, '+', '-' and control characters (codes below 32); the rest beeps.
bool AcceptsChar(char c);

// An optional sign and one or more decimal digits, nothing else, within the int range.
std::optional<int> ParseWholeNumber(std::string_view text);

// The edit's value: the number in the text, or 1 when the text does not parse (not clamped).
int ValueOfText(std::string_view text);

// The up/down buttons and arrow keys: plus or minus 1, clamped into the range.
int StepUp(int value, const SpinRange& range = kClsSpin);
int StepDown(int value, const SpinRange& range = kClsSpin);

// On losing the focus a number outside the range becomes the nearer bound; any other text,
// including one that does not parse, stays as typed.
std::string TextOnFocusLost(std::string_view text, const SpinRange& range = kClsSpin);

// The value shown for a stored cleaning interval: clamped into 1..60 and rounded with halves
// to even (12.4 -> 12, 0 -> 1, 75 -> 60); NaN shows 1.
int ValueForCls(long double cls);

} // namespace tavrin
