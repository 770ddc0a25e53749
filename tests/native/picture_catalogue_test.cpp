#include <gtest/gtest.h>

#include "core/PictureCatalogue.h"

namespace tavrin {
namespace {

TEST(PictureCatalogue, NumbersAndImageLists) {
    struct Case {
        int set, index, number;
    };
    const Case cases[] = {{1, 0, 1},    {1, 24, 25}, {2, 0, 26},  {3, 0, 51},
                          {4, 24, 100}, {5, 0, 101}, {5, 24, 125}};
    for (const Case& c : cases) {
        EXPECT_EQ(PictureNumber(c.set, c.index), c.number) << c.set << "/" << c.index;
        EXPECT_EQ(ImageListForPicture(c.number), c.set) << c.number;
    }
}

TEST(PictureCatalogue, ActivePicturesListEnabledIndexesAscendingAndZeroTheRest) {
    struct Case {
        std::vector<int> enabled;
        std::vector<int> expected; // the first ActiveCount entries
    };
    const Case cases[] = {{{}, {}}, {{24}, {24}}, {{0, 6, 24}, {0, 6, 24}}, {{3, 1, 2}, {1, 2, 3}}};
    for (const Case& c : cases) {
        PictureFlags flags{};
        for (int k : c.enabled)
            flags[k] = true;
        PictureIndexes active;
        active.fill(99); // stale entries must not survive
        std::uint8_t count = 7;
        BuildActivePictures(flags, active, count);
        ASSERT_EQ(count, c.expected.size());
        for (std::size_t i = 0; i < active.size(); ++i)
            EXPECT_EQ(active[i], i < c.expected.size() ? c.expected[i] : 0) << "slot " << i;
    }
    PictureFlags all;
    all.fill(true);
    PictureIndexes active{};
    std::uint8_t count = 0;
    BuildActivePictures(all, active, count);
    EXPECT_EQ(count, 25);
    for (int k = 0; k < kPicturesPerSet; ++k)
        EXPECT_EQ(active[k], k);
}

} // namespace
} // namespace tavrin
