#include <gtest/gtest.h>

#include "core/PreviewGeometry.h"

namespace tavrin {
namespace {

TEST(LayoutPreview, SmallPicturesBelowFullSizeAndNeverAnEmptySurface) {
    struct Case {
        int clientWidth, clientHeight;
        PreviewLayout layout;
    };
    const Case cases[] = {
        {152, 112, {152, 112, 16}}, {399, 300, {399, 300, 16}},   {400, 299, {400, 299, 16}},
        {400, 300, {400, 300, 32}}, {1024, 768, {1024, 768, 32}}, {10, 5, {10, 5, 16}},
        {0, 0, {1, 1, 16}},         {0, 112, {1, 112, 16}},       {-3, 400, {1, 400, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clientWidth << "x" << c.clientHeight);
        EXPECT_EQ(LayoutPreview(c.clientWidth, c.clientHeight), c.layout);
    }
}

} // namespace
} // namespace tavrin
