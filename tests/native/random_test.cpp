#include <gtest/gtest.h>

#include <cstdint>

#include "core/Random.h"

namespace tavrin {
namespace {

// Seeds and draws worked out apart from the code with python3:
//   s = (s * 134775813 + 1) % 2**32;  draw = s * n >> 32
TEST(Random, SeedStepsAndDrawsFromZero) {
    struct Draw {
        std::int32_t n;
        std::int32_t value;
        std::uint32_t seedAfter;
    };
    const Draw draws[] = {
        {100, 0, 1u},                               // 1 * 100 >> 32
        {1000, 31, 134775814u},                     // 134775814000 / 2^32 = 31.4
        {7, 6, 3698175007u},    {0, 0, 870078620u}, // a draw below 0 still advances the seed
        {-5, 0, 1172187917u},   {2147483647, 1442366880, 2884733762u},
    };
    Random random(0);
    for (const Draw& d : draws) {
        SCOPED_TRACE(d.n);
        EXPECT_EQ(random.Below(d.n), d.value);
        EXPECT_EQ(random.SeedValue(), d.seedAfter);
    }
}

TEST(Random, SeedWrapsModulo2To32) {
    Random random(0xFFFFFFFFu);
    EXPECT_EQ(random.Below(1), 0); // a draw below 1 is always 0
    EXPECT_EQ(random.SeedValue(), 4160191484u);
}

TEST(Random, SeedFromTheTimeOfDay) {
    EXPECT_EQ(MillisecondsSinceMidnight(0, 0, 0, 0), 0u);
    EXPECT_EQ(MillisecondsSinceMidnight(12, 34, 56, 789), 45296789u); // (754 * 60 + 56) * 1000 + 789
    EXPECT_EQ(MillisecondsSinceMidnight(23, 59, 59, 999), 86399999u);
}

TEST(Random, SharedRandomIsOneGenerator) {
    Random& a = SharedRandom();
    Random& b = SharedRandom();
    EXPECT_EQ(&a, &b);
}

} // namespace
} // namespace tavrin
