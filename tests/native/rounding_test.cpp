#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Rounding.h"

namespace tavrin {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
const long double kNaN = std::numeric_limits<long double>::quiet_NaN();
const long double kInf = std::numeric_limits<long double>::infinity();

TEST(RoundHalfEven, NearestWithTiesToEven) {
    struct Case {
        long double value;
        std::int32_t rounded;
    };
    const Case cases[] = {
        {0.0L, 0},
        {0.5L, 0},
        {1.5L, 2},
        {2.5L, 2},
        {3.5L, 4},
        {-0.5L, 0},
        {-1.5L, -2},
        {-2.5L, -2},
        {0.4999L, 0},
        {0.5001L, 1},
        {12.4L, 12},
        {2.6L, 3},
        {-2.6L, -3},
        {-0.4L, 0},
        {2147483646.5L, 2147483646},
        {2147483647.0L, kMax},
        {-2147483647.5L, kMin},
        {1e12L, kMax},
        {-1e12L, kMin},
        {kInf, kMax},
        {-kInf, kMin},
        {kNaN, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded);
    }
}

TEST(PaceInterval, TenthsOfASecond) {
    EXPECT_EQ(PaceInterval(0), 0u);
    EXPECT_EQ(PaceInterval(1), 100u);
    EXPECT_EQ(PaceInterval(5), 500u);
    EXPECT_EQ(PaceInterval(100), 10000u);
    EXPECT_EQ(PaceInterval(65535), 6553500u);
}

TEST(CleaningInterval, RoundedMinutesOrNeverOrTimerMaximum) {
    struct Case {
        long double cls;
        std::uint32_t milliseconds;
    };
    const Case cases[] = {
        {0.0L, 0},
        {0.49L, 0},
        {0.5L, 0}, // ties to even: never cleans
        {0.51L, 60000},
        {1.0L, 60000},
        {1.49L, 60000},
        {1.5L, 120000},
        {2.5L, 120000},
        {12.0L, 720000},
        {60.0L, 3600000},
        {-0.5L, 0},
        {-3.0L, 0},
        {kNaN, 0},
        {kInf, 0},
        {-kInf, 0},
        {35791.0L, 2147460000u}, // the largest whole minutes that fit
        {35791.5L, 0x7FFFFFFFu}, // rounds to 35792
        {35792.0L, 0x7FFFFFFFu},
        {1e300L, 0x7FFFFFFFu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.cls));
        EXPECT_EQ(CleaningInterval(c.cls), c.milliseconds);
    }
    EXPECT_EQ(kUserTimerMaximum, 0x7FFFFFFFu);
}

} // namespace
} // namespace tavrin
