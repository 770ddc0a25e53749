#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <utility>

#include "core/PictureTick.h"

namespace tavrin {
namespace {

using Slots = std::array<std::uint8_t, 25>;

TEST(SetBase, FirstNumberOfEachSet) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {{0, 0},  {1, 1},   {2, 26}, {3, 51},
                                                           {4, 76}, {5, 101}, {6, 0},  {255, 0}};
    for (auto [set, base] : cases) {
        SCOPED_TRACE(int{set});
        EXPECT_EQ(SetBase(set), base);
    }
}

TEST(PictureResourceName, DecimalWithoutLeadingZeros) {
    EXPECT_EQ(PictureResourceName(1), "ICON_1");
    EXPECT_EQ(PictureResourceName(7), "ICON_7");
    EXPECT_EQ(PictureResourceName(28), "ICON_28");
    EXPECT_EQ(PictureResourceName(100), "ICON_100");
    EXPECT_EQ(PictureResourceName(125), "ICON_125");
    EXPECT_EQ(PictureResourceName(0), "ICON_0");
}

// Seed 12345, 640 x 480, set 2 with indexes 2, 7, 24 enabled. Worked out apart from the code:
//   python3 -c "s=12345
//   def b(n):
//     global s; s=(s*134775813+1)%2**32; return s*n>>32
//   for t in range(6): x=b(608); y=b(448); k=b(3); print(x+10, y+10, [2,7,24][k]+26, s)"
TEST(NextStamp, SequenceForAKnownSeed) {
    struct Tick {
        int x, y, number;
        std::uint32_t seedAfter;
    };
    const Tick ticks[] = {
        {244, 139, 28, 342459380u},  {346, 293, 33, 1467157059u}, {277, 45, 28, 138982102u},
        {571, 446, 28, 1376306845u}, {156, 363, 33, 2191401672u}, {269, 387, 50, 3438479303u},
    };
    Random random(12345);
    const Slots active{2, 7, 24};
    for (const Tick& t : ticks) {
        const Stamp stamp = NextStamp(random, 640, 480, active, 3, 2);
        EXPECT_EQ(stamp.x, t.x);
        EXPECT_EQ(stamp.y, t.y);
        EXPECT_EQ(stamp.pictureNumber, t.number);
        EXPECT_EQ(random.SeedValue(), t.seedAfter); // exactly three draws per tick
    }
}

// At 192 dpi a stamp is 64 pixels: the place is drawn below 576 x 416 (same seed as above).
TEST(NextStamp, DoubleSizeStampsKeepOffTheFarEdges) {
    for (auto [dpi, size] : {std::pair{0, 32}, {96, 32}, {120, 32}, {191, 32}, {192, 64}, {288, 96}})
        EXPECT_EQ(StampSize(dpi), size) << dpi;
    Random random(12345);
    const Slots active{2, 7, 24};
    const Stamp first = NextStamp(random, 640, 480, active, 3, 2, 64);
    const Stamp second = NextStamp(random, 640, 480, active, 3, 2, 64);
    EXPECT_EQ((std::pair{first.x, first.y}), (std::pair{231, 130}));
    EXPECT_EQ((std::pair{second.x, second.y}), (std::pair{328, 273}));
}

TEST(NextStamp, NoPictureEnabledGivesFirstPictureOfTheSet) {
    Random random(777);
    const Slots none{};
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(NextStamp(random, 800, 600, none, 0, 3).pictureNumber, 51);
    }
}

TEST(NextStamp, SetOutsideOneToFiveHasBaseZero) {
    Random random(1);
    const Slots none{};
    EXPECT_EQ(NextStamp(random, 800, 600, none, 0, 0).pictureNumber, 0);
    EXPECT_EQ(NextStamp(random, 800, 600, none, 0, 6).pictureNumber, 0);
    const Slots onlyFifth{4};
    EXPECT_EQ(NextStamp(random, 800, 600, onlyFifth, 1, 9).pictureNumber, 4);
}

TEST(NextStamp, OnlyThirdPictureOfSetTwoIsAlwaysIcon28) {
    Random random(99);
    const Slots third{2};
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(PictureResourceName(NextStamp(random, 1024, 768, third, 1, 2).pictureNumber), "ICON_28");
    }
}

TEST(NextStamp, CornersStayInsideTheRangeOn640x480) {
    Random random(4242);
    Slots all{};
    for (std::uint8_t k = 0; k < 25; ++k)
        all[k] = k;
    int minX = 10000, maxX = -1, minY = 10000, maxY = -1;
    std::set<int> numbers;
    for (int i = 0; i < 100000; ++i) {
        const Stamp s = NextStamp(random, 640, 480, all, 25, 5);
        minX = std::min(minX, s.x);
        maxX = std::max(maxX, s.x);
        minY = std::min(minY, s.y);
        maxY = std::max(maxY, s.y);
        numbers.insert(s.pictureNumber);
    }
    // 10 .. 640 - 23 across, 10 .. 480 - 23 down; 100000 ticks reach both ends.
    EXPECT_EQ(minX, 10);
    EXPECT_EQ(maxX, 617);
    EXPECT_EQ(minY, 10);
    EXPECT_EQ(maxY, 457);
    // Set 5 with all pictures: exactly ICON_101 .. ICON_125.
    ASSERT_EQ(numbers.size(), 25u);
    EXPECT_EQ(*numbers.begin(), 101);
    EXPECT_EQ(*numbers.rbegin(), 125);
}

TEST(NextStamp, ScreenNarrowerThanAPictureStampsAtTheMargin) {
    Random random(5);
    const Slots none{};
    const Stamp s = NextStamp(random, 20, 32, none, 0, 1);
    EXPECT_EQ(s.x, 10);
    EXPECT_EQ(s.y, 10);
    // Still three draws: seed 5 stepped three times (python3) is 2442594960.
    EXPECT_EQ(random.SeedValue(), 2442594960u);
}

TEST(NextStamp, CountAboveTwentyFiveReadsNoSlotBeyondTheList) {
    Random random(31337);
    Slots tens{};
    tens.fill(10);
    for (int i = 0; i < 2000; ++i) {
        const int number = NextStamp(random, 640, 480, tens, 255, 1).pictureNumber;
        EXPECT_TRUE(number == 11 || number == 1) << number;
    }
}

} // namespace
} // namespace tavrin
