// The preview in-process: a host window of this process stands for the system's little monitor,
// and what the preview draws is read back from the host's device context.
#include <windows.h>

#include <gtest/gtest.h>

#include "Preview.h"
#include "core/PictureTick.h"
#include "core/Random.h"
#include "wine/support/WineTestSupport.h"

namespace {

using testsupport::Pixels;

TEST(PreviewInHost, DrawsTheSaversShowFollowsAndEndsWithItsHost) {
    constexpr COLORREF kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0);
    struct Case {
        DWORD background;
        int width, height;
        COLORREF corner; // the background at the preview's top-left corner
    };
    const Case cases[] = {{0, 152, 112, kBlack}, {1, 152, 112, kRed}, {0, 20, 14, kBlack}};
    // A red desktop: a captured one shows red in the preview's corner.
    testsupport::ColouredWindow desktop(kRed,
                                        {0, 0, testsupport::ScreenWidth(), testsupport::ScreenHeight()});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "background " << c.background << ", " << c.width << "x" << c.height);
        testsupport::SaverValues values;
        values.background = c.background;
        values.pictureSet = 2;
        values.pictures = 1u << 2; // Pic_03 only: picture 28
        values.speed = 0;          // the test makes the ticks
        values.Write();
        HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 200, c.width, c.height,
                                    nullptr, nullptr, nullptr, nullptr);
        testsupport::PumpUntilIdle();
        TPreview preview(host);
        ASSERT_EQ(GetParent(preview.Handle()), host);
        testsupport::PumpUntilIdle();
        Pixels before(c.width, c.height), after(c.width, c.height);
        before.CopyFromWindow(host);
        EXPECT_EQ(before.At(0, 0), c.corner);

        // A stamp shows in the view where the saver's draw for a screen of the preview's size puts
        // it, as a 16-pixel picture (what it draws: picture_show_test.cpp).
        tavrin::SharedRandom().Seed(4242);
        tavrin::Random same(4242);
        const tavrin::Stamp stamp = tavrin::NextStamp(same, c.width, c.height, {2}, 1, 2);
        preview.StampPicture();
        testsupport::PumpUntilIdle();
        after.CopyFromWindow(host);
        int inside = 0, outside = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if (after.At(x, y) != before.At(x, y))
                    ++(x >= stamp.x && x < stamp.x + 16 && y >= stamp.y && y < stamp.y + 16 ? inside
                                                                                            : outside);
        EXPECT_TRUE(c.width < 32 || inside > 0) << "no picture was drawn";
        EXPECT_EQ(outside, 0) << "changes outside a 16-pixel picture at " << stamp.x << ", " << stamp.y;

        SetWindowPos(host, nullptr, 0, 0, c.width + 40, c.height + 30, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(preview.FollowHost());
        RECT view = {};
        GetClientRect(preview.Handle(), &view);
        EXPECT_EQ(view.right - c.width, 40);
        EXPECT_EQ(view.bottom - c.height, 30);

        DestroyWindow(host);
        EXPECT_FALSE(preview.FollowHost());
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            << "the loop must end with the host";
    }
    testsupport::DeleteProductKey();
}

} // namespace
