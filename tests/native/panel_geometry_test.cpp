#include <gtest/gtest.h>

#include "core/PanelGeometry.h"
#include "core/PreviewGeometry.h"

namespace tavrin {
namespace {

TEST(PlacePanel, CentresAndClipsOnePixelBelowTheTop) {
    struct Case {
        int screenWidth, screenHeight, panelWidth, panelHeight;
        int left, top;
        Rect clip;
    };
    const Case cases[] = {
        {640, 480, 280, 74, 180, 203, {180, 204, 460, 277}},
        {800, 600, 280, 74, 260, 263, {260, 264, 540, 337}},
        {1024, 768, 280, 74, 372, 347, {372, 348, 652, 421}},
        // Odd screen: 801 div 2 = 400, 601 div 2 = 300, so the same as 800 x 600.
        {801, 601, 280, 74, 260, 263, {260, 264, 540, 337}},
        // Odd panel: 281 div 2 = 140, 75 div 2 = 37; right and bottom use the full size.
        {640, 480, 281, 75, 180, 203, {180, 204, 461, 278}},
        // Panel larger than the screen: 100 - 140, 25 - 37.
        {200, 50, 280, 74, -40, -12, {-40, -11, 240, 62}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenWidth << "x" << c.screenHeight);
        const PanelPlacement p = PlacePanel(c.screenWidth, c.screenHeight, c.panelWidth, c.panelHeight);
        EXPECT_EQ(p.left, c.left);
        EXPECT_EQ(p.top, c.top);
        EXPECT_EQ(p.clip, c.clip);
    }
}

TEST(CoveredArea, EveryMonitorOrThePrimaryScreen) {
    struct Case {
        const char* name;
        int left, top, width, height; // the virtual-screen metrics
        Rect covered;
    };
    const Case cases[] = {
        {"one monitor", 0, 0, 1024, 768, {0, 0, 1024, 768}},
        {"no virtual metrics", 0, 0, 0, 0, {0, 0, 1024, 768}},
        {"second monitor right", 0, 0, 2304, 1024, {0, 0, 2304, 1024}},
        {"second monitor left and higher", -1280, -256, 2304, 1024, {-1280, -256, 1024, 768}},
        {"width only", 0, 0, 2048, 0, {0, 0, 1024, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CoveredArea(c.left, c.top, c.width, c.height, 1024, 768), c.covered);
    }
}

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
