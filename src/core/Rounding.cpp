#include "core/Rounding.h"

#include <cmath>
#include <limits>

namespace tavrin {

namespace {

constexpr std::int64_t kMillisecondsPerMinute = 60000;

} // namespace

std::int32_t RoundHalfEven(long double value) {
    using Limits = std::numeric_limits<std::int32_t>;
    if (std::isnan(value)) return 0;
    if (value >= static_cast<long double>(Limits::max())) return Limits::max();
    if (value <= static_cast<long double>(Limits::min())) return Limits::min();

    // Done by hand rather than with nearbyint so the FPU rounding mode cannot change it.
    const long double below = std::floor(value);
    const long double fraction = value - below; // exact: both lie within one unit
    auto result = static_cast<std::int64_t>(below);
    if (fraction > 0.5L || (fraction == 0.5L && result % 2 != 0)) ++result;
    return static_cast<std::int32_t>(result);
}

std::uint32_t PaceInterval(std::uint16_t speed) {
    return static_cast<std::uint32_t>(speed) * 100u;
}

std::uint32_t CleaningInterval(long double cls) {
    if (!std::isfinite(cls)) return 0;
    const std::int32_t minutes = RoundHalfEven(cls);
    if (minutes <= 0) return 0;
    const std::int64_t milliseconds = minutes * kMillisecondsPerMinute;
    if (milliseconds > static_cast<std::int64_t>(kUserTimerMaximum)) return kUserTimerMaximum;
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace tavrin
