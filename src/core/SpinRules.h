// The cleaning-interval spin edit's rules: typing, stepping and reading its value.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr int kSpinMin = 1;
inline constexpr int kSpinMax = 60;
inline constexpr int kSpinMaxLength = 2;

// Typing accepts digits, '+', '-' and control characters (codes below 32); the rest beeps.
bool AcceptsChar(char c);

bool FitsLength(std::string_view text, int maxLength = kSpinMaxLength);

// An optional sign and one or more decimal digits, nothing else, within the int range.
std::optional<int> ParseWholeNumber(std::string_view text);

// The edit's value: the number in the text, or 1 when the text does not parse (not clamped).
int ValueOfText(std::string_view text);

// The up/down buttons and arrow keys: plus or minus 1, clamped into 1..60.
int StepUp(int value);
int StepDown(int value);

// On losing the focus a number outside 1..60 becomes the nearer bound; any other text,
// including one that does not parse, stays as typed.
std::string TextOnFocusLost(std::string_view text);

// The value shown for a stored cleaning interval: clamped into 1..60 and rounded with halves
// to even (12.4 -> 12, 0 -> 1, 75 -> 60); NaN shows 1.
int ValueForCls(long double cls);

} // namespace tavrin
