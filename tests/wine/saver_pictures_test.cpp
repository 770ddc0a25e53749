// The saver's pictures in-process, against the real user32 and gdi32: the background, the
// stamps each tick draws and the cleaning that wipes them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/PictureTick.h"
#include "core/Random.h"
#include "wine/support/ResourceCounts.h"
#include "wine/support/SaverWindow.h"

namespace {

using namespace testsupport;

// ---- background -------------------------------------------------------------------------

// Waits until the screen shows `colour` at (x, y) and has stopped changing: a window just
// shown there, and whatever other programs still repaint, have reached it. Wine puts what a
// thread drew on the screen when its loop is idle, at most every 50 ms; two looks further
// apart than that agree once nothing is left to come.
void WaitForScreen(int x, int y, COLORREF colour) {
    Pixels looks[2] = {{ScreenWidth(), ScreenHeight()}, {ScreenWidth(), ScreenHeight()}};
    int taken = 0;
    DWORD lastLook = 0;
    const UINT_PTR wake = SetTimer(nullptr, 0, 60, nullptr);
    PumpApplicationUntil([&] {
        if (taken > 0 && GetTickCount() - lastLook < 60) return false;
        Pixels& now = looks[taken++ % 2];
        now.CopyFromWindow(nullptr); // the whole screen
        lastLook = GetTickCount();
        return taken > 1 && now.At(x, y) == colour && now.SameAs(looks[taken % 2]);
    });
    KillTimer(nullptr, wake);
}

// Starts the saver with the desktop background while a window of `colour` covers `area`; the
// window is gone afterwards. `before` receives the screen as it was just before the start.
TFormScreenSaver* StartOverColouredWindow(COLORREF colour, const RECT& area, Pixels& before) {
    SaverValues values;
    values.background = 1;
    values.speed = 0;
    values.Write();
    ColouredWindow coloured(colour, area);
    WaitForScreen(area.left, area.top, colour);
    before.CopyFromWindow(nullptr);
    return SaverWindow::Start();
}

class SaverBlackBackground : public SaverWindow, public ::testing::WithParamInterface<DWORD> {};

TEST_P(SaverBlackBackground, IsBlackInThePictureAndOnTheScreen) {
    testsupport::SaverValues values;
    values.background = GetParam();
    values.speed = 0;
    values.Write();
    auto* form = Start();
    UpdateWindow(form->Handle());
    Pixels picture(ScreenWidth(), ScreenHeight());
    picture.CopyFrom(form->Backgroundimage->Canvas());
    EXPECT_EQ(picture.CountOther(kBlack), 0);
    Pixels window(ScreenWidth(), ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_EQ(window.CountOther(kBlack), 0) << "the window does not show the black background";
}

INSTANTIATE_TEST_SUITE_P(NotDesktop, SaverBlackBackground, ::testing::Values(0u, 2u, 255u));

TEST_F(SaverWindow, DesktopBackgroundHoldsTheScreenAsItWasAtStart) {
    constexpr COLORREF kColour = RGB(200, 30, 90);
    const RECT area = {100, 120, 300, 260};
    Pixels before(ScreenWidth(), ScreenHeight());
    auto* form = StartOverColouredWindow(kColour, area, before);
    ASSERT_EQ(before.At(150, 150), kColour) << "the coloured window is not on the screen";
    PumpApplicationUntilIdle();
    Pixels picture(ScreenWidth(), ScreenHeight());
    picture.CopyFrom(form->Backgroundimage->Canvas());
    EXPECT_EQ(picture.At(150, 150), kColour);
    EXPECT_EQ(picture.At(area.left, area.top), kColour);
    EXPECT_EQ(picture.At(area.right - 1, area.bottom - 1), kColour);
    EXPECT_NE(picture.At(area.right, area.bottom), kColour);
    EXPECT_TRUE(picture.SameAs(before)) << "the picture is not the screen as it was before the saver showed";

    // The coloured window is gone, but the saver keeps showing it: the desktop is frozen.
    UpdateWindow(form->Handle());
    Pixels window(ScreenWidth(), ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(window.SameAs(before)) << "the window does not show the captured desktop";
}

// ---- stamping and cleaning -----------------------------------------------------------------

struct StampCase {
    const char* name;
    DWORD pictureSet;
    DWORD pictures;        // bit k enables Pic_(k+1)
    std::vector<int> only; // the picture numbers that may appear; empty: none at all
};

class SaverStamps : public SaverWindow, public ::testing::WithParamInterface<StampCase> {};

// Each tick draws the predicted icon, through its mask, at the predicted place of the window's
// surface, and nowhere else; the background picture is left alone; a cleaning tick wipes it all.
TEST_P(SaverStamps, EachTickStampsOnePictureThroughItsMask) {
    const StampCase& c = GetParam();
    testsupport::SaverValues values;
    values.background = 0;
    values.speed = 0; // the test ticks by itself
    values.pictureSet = c.pictureSet;
    values.pictures = c.pictures;
    values.Write();
    auto* form = Start();
    UpdateWindow(form->Handle());

    const int width = ScreenWidth(), height = ScreenHeight();
    tavrin::Random predictor(0x5EED1234u);
    tavrin::SharedRandom().Seed(0x5EED1234u);
    std::vector<bool> stamped(static_cast<size_t>(width) * height, false);
    int changed = 0;
    for (int tick = 0; tick < 40; ++tick) {
        const tavrin::Stamp stamp = tavrin::NextStamp(predictor, width, height, SaverSettings.ActivePictures,
                                                      SaverSettings.ActiveCount, SaverSettings.PictureSet);
        Pixels expected(32, 32), actual(32, 32);
        expected.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
        const bool drawn = !c.only.empty();
        if (drawn) {
            ASSERT_NE(std::find(c.only.begin(), c.only.end(), stamp.pictureNumber), c.only.end())
                << "tick " << tick << " chose picture " << stamp.pictureNumber;
            HICON icon = LoadIconA(GetModuleHandleA(nullptr),
                                   tavrin::PictureResourceName(stamp.pictureNumber).c_str());
            ASSERT_NE(icon, nullptr);
            DrawIcon(expected.dc(), 0, 0, icon);
            GdiFlush();
        }
        Pixels previous(32, 32);
        previous.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
        form->Timer1Timer();
        actual.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
        ASSERT_TRUE(actual.SameAs(expected)) << "tick " << tick << ": picture " << stamp.pictureNumber
                                             << " not drawn as expected at " << stamp.x << ", " << stamp.y;
        changed += actual.SameAs(previous) ? 0 : 1;
        for (int y = stamp.y; y < std::min(stamp.y + 32, height); ++y)
            for (int x = stamp.x; x < std::min(stamp.x + 32, width); ++x)
                stamped[y * width + x] = true;
    }
    if (!c.only.empty()) {
        EXPECT_GT(changed, 0);
    }

    Pixels window(width, height);
    window.CopyFromWindow(form->Handle());
    int outside = 0, margin = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (window.At(x, y) == kBlack) continue;
            outside += stamped[y * width + x] ? 0 : 1;
            margin += (x < 10 || y < 10) ? 1 : 0;
        }
    EXPECT_EQ(outside, 0) << "pixels changed outside the stamps";
    EXPECT_EQ(margin, 0) << "a stamp touched the leftmost or topmost 10 pixels";

    Pixels picture(width, height);
    picture.CopyFrom(form->Backgroundimage->Canvas());
    EXPECT_EQ(picture.CountOther(kBlack), 0) << "stamps must not be drawn into the background picture";

    form->TimerCLSTimer();
    UpdateWindow(form->Handle());
    window.CopyFromWindow(form->Handle());
    EXPECT_EQ(window.CountOther(kBlack), 0) << "the cleaning tick did not wipe the stamps";
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

INSTANTIATE_TEST_SUITE_P(Pictures, SaverStamps,
                         ::testing::Values(StampCase{"Set2Third", 2, 1u << 2, {28}},
                                           StampCase{"Set5All", 5, 0x1FFFFFF, Range(101, 125)},
                                           StampCase{"Set1Last2", 1, (1u << 23) | (1u << 24), {24, 25}},
                                           StampCase{"Set3NoneEnabled", 3, 0, {51}},
                                           StampCase{"Set4First", 4, 1, {76}},
                                           StampCase{"SetOutOfRange", 7, 1, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaverWindow, CleaningRestoresTheCapturedDesktop) {
    Pixels screen(ScreenWidth(), ScreenHeight());
    auto* form = StartOverColouredWindow(RGB(20, 160, 220), RECT{200, 200, 700, 500}, screen);
    UpdateWindow(form->Handle());
    Pixels background(ScreenWidth(), ScreenHeight()), window(ScreenWidth(), ScreenHeight());
    background.CopyFrom(form->Backgroundimage->Canvas());
    for (int i = 0; i < 300; ++i)
        form->Timer1Timer();
    window.CopyFromWindow(form->Handle());
    ASSERT_FALSE(window.SameAs(background)) << "no stamp appeared";
    form->TimerCLSTimer();
    UpdateWindow(form->Handle());
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(window.SameAs(background));
}

// Starts the saver on a black background at the given pace (0: the test ticks by itself).
TFormScreenSaver* StartOnBlack(DWORD speed) {
    SaverValues values;
    values.background = 0;
    values.speed = speed;
    values.Write();
    return SaverWindow::Start();
}

// The pace timer stamps by itself once the set-up has run.
TEST_F(SaverWindow, PaceTimerStampsPictures) {
    auto* form = StartOnBlack(1);
    Pixels window(ScreenWidth(), ScreenHeight());
    EXPECT_TRUE(PumpApplicationUntil(
        [&] {
            window.CopyFromWindow(form->Handle());
            return window.CountOther(kBlack) > 0;
        },
        3000));
}

// After the display changes to 100 x 80 (the system tells every window), stamps land in it.
TEST_F(SaverWindow, StampsFollowADisplayChange) {
    auto* form = StartOnBlack(0);
    tk::SystemMetric = [](int index) { return index == SM_CXSCREEN ? 100 : index == SM_CYSCREEN ? 80 : 0; };
    SendMessageA(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(100, 80));
    for (int i = 0; i < 50; ++i)
        form->Timer1Timer();
    Pixels window(ScreenWidth(), ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_GT(window.CountOther(kBlack), 0);
    EXPECT_EQ(window.CountOther(kBlack), window.CountOther(kBlack, RECT{10, 10, 110, 90}));
}

// Stamping and cleaning many times leaves the process's GDI and USER objects where they were.
TEST_F(SaverWindow, LongRunLeaksNoObjects) {
    auto* form = StartOnBlack(0);
    for (int i = 0; i < 100; ++i)
        form->Timer1Timer(); // first-use allocations
    form->TimerCLSTimer();
    PumpApplicationUntilIdle();
    const long gdiBefore = testsupport::GdiObjectCount(), userBefore = testsupport::UserObjectMeasure();
    ASSERT_GT(gdiBefore, 0) << "cannot count GDI objects here";
    ASSERT_GT(userBefore, 0) << "cannot measure USER objects here";
    for (int i = 0; i < 10000; ++i) {
        form->Timer1Timer();
        if (i % 1000 == 999) {
            form->TimerCLSTimer();
            PumpApplicationUntilIdle();
        }
    }
    PumpApplicationUntilIdle();
    const long gdiAfter = testsupport::GdiObjectCount(), userAfter = testsupport::UserObjectMeasure();
    EXPECT_LE(gdiAfter, gdiBefore + 10) << gdiBefore << " -> " << gdiAfter;
    EXPECT_LE(userAfter, userBefore + 10) << userBefore << " -> " << userAfter;
    RecordProperty("gdi_before", gdiBefore);
    RecordProperty("gdi_after", gdiAfter);
    RecordProperty("user_before", userBefore);
    RecordProperty("user_after", userAfter);
}

} // namespace
