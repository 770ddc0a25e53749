// Rounding and the saver's two timer intervals.
#pragma once
#include <cstdint>

namespace tavrin {

// The largest interval a Windows timer accepts (USER_TIMER_MAXIMUM), in milliseconds.
inline constexpr std::uint32_t kUserTimerMaximum = 0x7FFFFFFF;

// Nearest 32-bit integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, -1.5 -> -2).
// Values beyond the 32-bit range saturate at its ends; NaN gives 0.
std::int32_t RoundHalfEven(long double value);

// The picture pace: Speed tenths of a second, in milliseconds (0 means no pictures).
std::uint32_t PaceInterval(std::uint16_t speed);

// The cleaning interval: Round(cls) minutes in milliseconds. A value that rounds to 0 or less,
// or is not finite, gives 0 (never cleans); one too large for a 32-bit signed product gives
// kUserTimerMaximum.
std::uint32_t CleaningInterval(long double cls);

} // namespace tavrin
