// A long saver run in-process: 100,000 pace ticks and 100 cleaning ticks, with the pending
// paints handled as they come, leave the process's GDI objects, USER objects and private
// memory where they were after a warm-up.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "wine/support/ResourceCounts.h"
#include "wine/support/SaverWindow.h"

namespace {

constexpr int kPaceTicks = 100000;
constexpr int kCleaningTicks = 100;
constexpr int kWarmUpTicks = 2000;

// Allowed growth over the whole run: a leak of one object or a few bytes per tick is far
// beyond it.
constexpr long kObjectSlack = 10;
constexpr SIZE_T kMemorySlack = 1 << 20;

using testsupport::kBlack;
using testsupport::PumpApplicationUntilIdle;

struct Usage {
    long gdi;
    long user;
    SIZE_T privateBytes;
};

Usage Measure() {
    PumpApplicationUntilIdle();
    return {testsupport::GdiObjectCount(), testsupport::UserObjectMeasure(), testsupport::PrivateBytes()};
}

using SaverSoak = testsupport::SaverWindow;

// Every picture of the set, a black background (stamps are easy to see); the test calls the
// tick handlers itself (pace 0: the pace timer adds none), keys only, so the pointer moves
// Wine sends cannot end the saver during the run.
TEST_F(SaverSoak, LongRunEndsWithTheObjectsAndMemoryItStartedWith) {
    testsupport::SaverValues values;
    values.sensitivity = 1;
    values.speed = 0;
    values.background = 0;
    values.pictureSet = 2;
    values.Write();
    auto* form = Start();
    ASSERT_TRUE(testsupport::SaverFlag()) << "the saver's set-up did not run";

    // First-use allocations (icons, caches of the drawing layer) happen here.
    for (int i = 0; i < kWarmUpTicks; ++i) {
        form->Timer1Timer();
        if (i % 500 == 499) form->TimerCLSTimer();
        if (i % 100 == 99) PumpApplicationUntilIdle();
    }
    const Usage before = Measure();
    ASSERT_GT(before.gdi, 0) << "cannot count GDI objects here";
    ASSERT_GT(before.user, 0) << "cannot measure USER objects here";
    ASSERT_GT(before.privateBytes, 0u) << "cannot read the private memory here";

    const DWORD start = GetTickCount();
    int cleanings = 0;
    for (int i = 1; i <= kPaceTicks; ++i) {
        form->Timer1Timer();
        if (i % (kPaceTicks / kCleaningTicks) == 0) {
            form->TimerCLSTimer();
            ++cleanings;
        }
        if (i % 100 == 0) PumpApplicationUntilIdle(); // the cleanings' repaints
    }
    const DWORD elapsed = GetTickCount() - start;
    const Usage after = Measure();
    ASSERT_EQ(cleanings, kCleaningTicks);

    // The saver still works: the last cleaning wiped the window, new ticks stamp again.
    UpdateWindow(form->Handle());
    testsupport::Pixels window(testsupport::ScreenWidth(), testsupport::ScreenHeight());
    window.CopyFromWindow(form->Handle());
    EXPECT_EQ(window.CountOther(kBlack), 0) << "the last cleaning did not wipe the window";
    for (int i = 0; i < 20; ++i)
        form->Timer1Timer();
    window.CopyFromWindow(form->Handle());
    EXPECT_GT(window.CountOther(kBlack), 0) << "the pace ticks no longer stamp";
    EXPECT_FALSE(tk::Application.Terminated());
    EXPECT_TRUE(testsupport::SaverFlag());

    std::printf("%d pace ticks and %d cleanings in %lu ms; GDI objects %ld -> %ld, USER measure %ld -> %ld, "
                "private bytes %lu -> %lu\n",
                kPaceTicks, cleanings, static_cast<unsigned long>(elapsed), before.gdi, after.gdi,
                before.user, after.user, static_cast<unsigned long>(before.privateBytes),
                static_cast<unsigned long>(after.privateBytes));
    RecordProperty("elapsed_ms", static_cast<int>(elapsed));
    EXPECT_LE(after.gdi, before.gdi + kObjectSlack) << "GDI objects leaked";
    EXPECT_LE(after.user, before.user + kObjectSlack) << "USER objects leaked";
    EXPECT_LE(after.privateBytes, before.privateBytes + kMemorySlack) << "private memory grew";
    form->ExitScreenSaver();
}

} // namespace
