// The picture show that the saver and the preview share, against the real user32 and gdi32: the
// background it keeps and the cleaning, and the stamps of the pace ticks, once more in a copy of
// this program started with the system at 144 dpi, where its large icons are 48 pixels. Wine
// scales an icon pixel for pixel, so there a 48-pixel icon draws the same pixels: the size of
// the icon drawn tells it from the picture's own 32 x 32 image.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "PictureShow.h"
#include "wine/support/ImportHook.h"
#include "wine/support/WineTestSupport.h"

namespace {

using namespace testsupport;

constexpr COLORREF kBlack = RGB(0, 0, 0), kColour = RGB(200, 30, 90);

// Bit k of `pictures` enables index k of the set.
tavrin::SaverSettings Settings(std::uint8_t background, std::uint8_t set = 1, std::uint32_t pictures = 1) {
    tavrin::SaverSettings settings;
    settings.Background = background;
    settings.PictureSet = set;
    for (int k = 0; k < tavrin::kPicturesPerSet; ++k)
        settings.Pictures[k] = (pictures >> k) & 1u;
    tavrin::BuildActivePictures(settings.Pictures, settings.ActivePictures, settings.ActiveCount);
    return settings;
}

// The desktop of the kept rectangle as it was (Background 1), or black for any other setting:
// the cleaning puts it back over whatever the surface shows.
TEST(PictureShow, KeepsTheDesktopOrBlackAndTheCleaningPutsItBack) {
    ColouredWindow coloured(kColour, {100, 120, 300, 260});
    WaitForScreen(100, 120, kColour);
    const tavrin::Rect area = {50, 60, 350, 330}; // the window and some of the desktop around it
    Pixels screen(300, 270), surface(300, 270);
    screen.CopyFromWindow(nullptr, area.left, area.top);
    for (std::uint8_t background : {1, 0, 2, 255}) {
        const tavrin::SaverSettings settings = Settings(background);
        TPictureShow show(settings);
        show.KeepBackground(area);
        show.MakeSurface(300, 270);
        PatBlt(show.Surface(), 0, 0, 300, 270, WHITENESS);
        show.Clean();
        surface.CopyFrom(show.Surface());
        EXPECT_TRUE(background == 1 ? surface.SameAs(screen) : surface.CountOther(kBlack) == 0)
            << int{background};
    }
}

// The side of the image of the icon last drawn with DrawIconEx in this program.
int drawnIconSize = 0;
decltype(&DrawIconEx) SystemDrawIconEx = nullptr;
BOOL WINAPI RecordDrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH brush,
                             UINT flags) {
    ICONINFO info = {};
    BITMAP mask = {};
    if (GetIconInfo(icon, &info)) {
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    drawnIconSize = mask.bmWidth;
    return SystemDrawIconEx(dc, x, y, icon, width, height, step, brush, flags);
}

struct StampCase {
    const char* name;
    std::uint8_t set;
    std::uint32_t pictures; // bit k enables index k
    std::vector<int> only;  // the picture numbers that may appear; empty: none at all
};

class PictureShowStamps : public ::testing::TestWithParam<StampCase> {};

// Each tick draws the predicted picture's own image, through its mask, at the predicted place and
// nowhere else: at 32 and 64 pixels (the saver at 96 and 192 dpi) and at 16 pixels in a place
// drawn for 32 (the small preview), where each pixel is one pixel of the image's 2 x 2 block.
TEST_P(PictureShowStamps, EachTickDrawsThePicturesOwnImage) {
    if (CopyDpi() != 0) {
        ASSERT_EQ(GetDeviceCaps(tk::WindowDc(nullptr).get(), LOGPIXELSX), CopyDpi());
        ASSERT_NE(GetSystemMetrics(SM_CXICON), 32) << "the system's large icon is the pictures' size here";
    }
    ImportHook drawIcon("user32.dll", "DrawIconEx", reinterpret_cast<void*>(RecordDrawIconEx));
    SystemDrawIconEx = reinterpret_cast<decltype(&DrawIconEx)>(drawIcon.Original());
    ASSERT_TRUE(drawIcon.Installed());
    const StampCase& c = GetParam();
    const tavrin::SaverSettings settings = Settings(0, c.set, c.pictures);
    constexpr int kWidth = 120, kHeight = 100;
    TPictureShow show(settings);
    show.MakeSurface(kWidth, kHeight);
    const tk::UniqueBrush colour(CreateSolidBrush(kColour));
    const RECT all = {0, 0, kWidth, kHeight};
    Pixels own(32, 32), expected(kWidth, kHeight), actual(kWidth, kHeight);
    SetStretchBltMode(expected.dc(), COLORONCOLOR);
    for (auto [size, placeSize] : {std::pair{32, 32}, {64, 64}, {16, 32}}) {
        tavrin::Random predictor(0x5EED1234u);
        tavrin::SharedRandom().Seed(0x5EED1234u);
        for (int tick = 0; tick < 8; ++tick) {
            SCOPED_TRACE(testing::Message() << size << " pixels, tick " << tick);
            const tavrin::Stamp stamp =
                tavrin::NextStamp(predictor, kWidth, kHeight, settings.ActivePictures, settings.ActiveCount,
                                  settings.PictureSet, placeSize);
            expected.Fill(kColour);
            RECT place = {};
            if (!c.only.empty()) {
                ASSERT_NE(std::find(c.only.begin(), c.only.end(), stamp.pictureNumber), c.only.end())
                    << "picture " << stamp.pictureNumber;
                own.Fill(kColour);
                DrawIconEx(own.dc(), 0, 0, LoadPicture(stamp.pictureNumber), 32, 32, 0, nullptr, DI_NORMAL);
                StretchBlt(expected.dc(), stamp.x, stamp.y, size, size, own.dc(), 0, 0, 32, 32, SRCCOPY);
                GdiFlush();
                place = {stamp.x, stamp.y, stamp.x + size, stamp.y + size};
            }
            FillRect(show.Surface(), &all, colour.get());
            drawnIconSize = 0;
            const RECT drawn = show.Stamp(show.Surface(), kWidth, kHeight, size, placeSize);
            actual.CopyFrom(show.Surface());
            ASSERT_TRUE(actual.SameAs(expected))
                << "picture " << stamp.pictureNumber << " at " << stamp.x << ", " << stamp.y;
            EXPECT_TRUE(EqualRect(&drawn, &place));
            EXPECT_EQ(drawnIconSize, c.only.empty() ? 0 : 32) << "not the picture's own image";
        }
    }
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureShowStamps,
                         ::testing::Values(StampCase{"Set2Third", 2, 1u << 2, {28}},
                                           StampCase{"Set5All", 5, 0x1FFFFFF, Range(101, 125)},
                                           StampCase{"Set1Last2", 1, (1u << 23) | (1u << 24), {24, 25}},
                                           StampCase{"Set3NoneEnabled", 3, 0, {51}},
                                           StampCase{"Set4First", 4, 1, {76}},
                                           StampCase{"SetOutOfRange", 7, 1, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureShow, StampsAt144Dpi) {
    if (CopyDpi() == 0) {
        EXPECT_TRUE(PassesInCopyAtDpi(144, "Pictures/PictureShowStamps.*"));
    }
}

} // namespace
