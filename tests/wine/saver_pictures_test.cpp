// The saver's pictures in-process, against the real user32 and gdi32: the window showing the
// background, the stamps the ticks draw on it and the cleaning that wipes them. What the picture
// show itself draws is checked in picture_show_test.cpp.
#include <windows.h>

#include <gtest/gtest.h>

#include "PictureShow.h"
#include "core/Random.h"
#include "wine/support/ResourceCounts.h"
#include "wine/support/SaverWindow.h"

namespace {

using namespace testsupport;

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

// The window shows the kept desktop (the coloured window is gone, the desktop is frozen); the
// stamps go on the window's own surface, and the cleaning wipes them.
TEST_F(SaverWindow, DesktopBackgroundHoldsTheScreenAsItWasAtStartAndTheCleaningWipesTheStamps) {
    constexpr COLORREF kColour = RGB(200, 30, 90);
    const RECT area = {100, 120, 300, 260};
    Pixels before(ScreenWidth(), ScreenHeight()), window(ScreenWidth(), ScreenHeight());
    auto* form = StartOverColouredWindow(kColour, area, before);
    ASSERT_EQ(before.At(150, 150), kColour) << "the coloured window is not on the screen";
    UpdateWindow(form->Handle());
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(window.SameAs(before)) << "the window does not show the desktop as it was before the saver";
    for (int i = 0; i < 300; ++i)
        form->Timer1Timer();
    window.CopyFromWindow(form->Handle());
    ASSERT_FALSE(window.SameAs(before)) << "no stamp appeared";
    form->TimerCLSTimer();
    UpdateWindow(form->Handle());
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(window.SameAs(before));
}

// At 192 dpi each stamp is the picture's own image with every pixel doubled, where the draw for
// 64-pixel stamps puts it, and nothing else is drawn. Checked in a copy of this program started
// at 192 dpi: the density is read when a program starts.
TEST_F(SaverWindow, StampsAreTwiceTheSizeAt192Dpi) {
    if (CopyDpi() == 0) {
        EXPECT_TRUE(PassesInCopyAtDpi(192, "SaverWindow.StampsAreTwiceTheSizeAt192Dpi"));
        return;
    }
    SaverValues values;
    values.pictureSet = 2;
    values.pictures = 1u << 2; // Pic_03 only: picture 28
    values.speed = 0;
    values.Write();
    auto* form = Start();
    tavrin::SharedRandom().Seed(7);
    tavrin::Random same(7);
    const tavrin::Stamp stamp = tavrin::NextStamp(same, ScreenWidth(), ScreenHeight(), {2}, 1, 2, 64);
    form->Timer1Timer();
    Pixels own(32, 32), expected(64, 64), actual(64, 64), window(ScreenWidth(), ScreenHeight());
    own.Fill(kBlack);
    DrawIconEx(own.dc(), 0, 0, LoadPicture(28), 32, 32, 0, nullptr, DI_NORMAL);
    StretchBlt(expected.dc(), 0, 0, 64, 64, own.dc(), 0, 0, 32, 32, SRCCOPY);
    actual.CopyFromWindow(form->Handle(), stamp.x, stamp.y);
    window.CopyFromWindow(form->Handle());
    EXPECT_TRUE(actual.SameAs(expected)) << "at " << stamp.x << ", " << stamp.y;
    EXPECT_EQ(window.CountOther(kBlack), actual.CountOther(kBlack));
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
