// The preview in-process: a host window of this process stands for the system's little monitor,
// and what the preview draws is read back from the host's device context.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Preview.h"
#include "core/PictureTick.h"
#include "core/Random.h"
#include "wine/support/WineTestSupport.h"

namespace {

using testsupport::Pixels;

constexpr COLORREF kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0);

struct PreviewCase {
    DWORD background;
    int width, height;
    COLORREF corner; // the background at the preview's top-left corner
};

class PreviewInHost : public ::testing::TestWithParam<PreviewCase> {
  protected:
    void SetUp() override {
        testsupport::DeleteProductKey();
        testsupport::SetUsePassword(0);
        testsupport::ClearSaverFlag();
    }
    void TearDown() override { testsupport::DeleteProductKey(); }
};

TEST_P(PreviewInHost, DrawsTheSaversShowAndEndsWithItsHost) {
    const PreviewCase& c = GetParam();
    testsupport::SaverValues values;
    values.background = c.background;
    values.pictureSet = 2;
    values.pictures = 1u << 2; // Pic_03 only: picture 28
    values.speed = 0;          // the test makes the ticks
    values.Write();
    testsupport::ProductKey().SetString("Password", "kept");
    // A red desktop: a captured one shows red in the preview's corner.
    testsupport::ColouredWindow desktop(kRed,
                                        {0, 0, testsupport::ScreenWidth(), testsupport::ScreenHeight()});
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 200, c.width, c.height, nullptr,
                                nullptr, nullptr, nullptr);
    testsupport::PumpFor(100);

    TPreview preview(host);
    ASSERT_TRUE(IsWindow(preview.Handle()));
    EXPECT_EQ(GetParent(preview.Handle()), host);
    EXPECT_EQ(GetWindowLongA(preview.Handle(), GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    RECT view = {};
    GetClientRect(preview.Handle(), &view);
    EXPECT_EQ(view.right, c.width);
    EXPECT_EQ(view.bottom, c.height);
    testsupport::PumpFor(100);
    Pixels before(c.width, c.height), after(c.width, c.height), expected(c.width, c.height);
    before.CopyFromWindow(host);
    EXPECT_EQ(before.At(0, 0), c.corner);

    // The saver's draw for a screen of the preview's size, drawn as a 16-pixel picture.
    tavrin::SharedRandom().Seed(4242);
    tavrin::Random same(4242);
    const tavrin::Stamp stamp = tavrin::NextStamp(same, c.width, c.height, {2}, 1, 2);
    preview.StampPicture();
    testsupport::PumpFor(100);
    after.CopyFromWindow(host);
    expected.CopyFromWindow(host); // the same pixels, with the picture drawn by hand below
    BitBlt(expected.dc(), 0, 0, c.width, c.height, before.dc(), 0, 0, SRCCOPY);
    DrawIconEx(expected.dc(), stamp.x, stamp.y, LoadIconA(GetModuleHandleA(nullptr), "ICON_28"), 16, 16, 0,
               nullptr, DI_NORMAL);
    GdiFlush();
    EXPECT_TRUE(after.SameAs(expected)) << "picture 28 at " << stamp.x << ", " << stamp.y;
    if (c.width > 32) {
        EXPECT_FALSE(after.SameAs(before)) << "no picture was drawn";
    }

    preview.Clean();
    testsupport::PumpFor(100);
    after.CopyFromWindow(host);
    EXPECT_TRUE(after.SameAs(before)) << "the cleaning must bring the bare background back";

    SetWindowPos(host, nullptr, 0, 0, c.width + 40, c.height + 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(preview.FollowHost());
    GetClientRect(preview.Handle(), &view);
    EXPECT_EQ(view.right, c.width + 40);
    EXPECT_EQ(view.bottom, c.height + 30);

    // A view only: the password stays, the taskbar and the screen-saver flag are untouched.
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(testsupport::ProductKey().Get("Password", type, data));
    EXPECT_STREQ(std::string(data.begin(), data.end()).c_str(), "kept");
    EXPECT_FALSE(testsupport::SaverFlag());
    EXPECT_TRUE(testsupport::TaskbarVisible());

    DestroyWindow(host);
    EXPECT_FALSE(preview.FollowHost());
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the end of the host ends the loop";
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, PreviewInHost,
                         ::testing::Values(PreviewCase{0, 152, 112, kBlack}, PreviewCase{1, 152, 112, kRed},
                                           PreviewCase{0, 20, 14, kBlack}));

} // namespace
