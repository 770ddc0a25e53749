// The saver's input watch in-process: which input ends the saver, and the ignored first event.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "wine/support/SaverWindow.h"

namespace {

using namespace testsupport;

// ---- input watch --------------------------------------------------------------------------

TEST_F(SaverWindow, FirstKeyReachesTheWindowTheSecondEndsTheSaver) {
    testsupport::SaverValues values;
    values.sensitivity = 1;
    values.Write();
    auto* form = Start();
    WindowRecorder recorder(form->Handle());

    PostKey(form);
    EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1) << "the ignored first key must reach the window";
    EXPECT_FALSE(tk::Application.Terminated());
    EXPECT_TRUE(testsupport::SaverFlag());
    EXPECT_FALSE(SaverInputWatch.FirstEventPending());

    PostKey(form);
    EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1) << "the key that ends the saver must not reach the window";
    EXPECT_TRUE(tk::Application.Terminated()) << "no quit request after the second key";
    ExpectDesktopGivenBack();
}

struct InputCase {
    DWORD sensitivity;
    UINT message;
    WPARAM wParam;
    bool counts;
};

class SaverInput : public SaverWindow, public ::testing::WithParamInterface<InputCase> {};

// Two messages of one kind: they end the saver exactly when the kind is on.
TEST_P(SaverInput, TwoMessagesEndTheSaverOnlyWhenTheirKindIsOn) {
    const InputCase& c = GetParam();
    testsupport::SaverValues values;
    values.sensitivity = c.sensitivity;
    values.Write();
    auto* form = Start();
    SaverInputWatch.Arm(); // start from a fresh arming, whatever Wine sent while settling
    for (int i = 0; i < 2; ++i) {
        PostMessageA(form->Handle(), c.message, c.wParam,
                     c.message == WM_KEYDOWN ? kKeyA : MAKELPARAM(300, 300));
        PumpApplicationUntilIdle();
    }
    EXPECT_EQ(tk::Application.Terminated(), c.counts);
    EXPECT_EQ(testsupport::SaverFlag(), !c.counts);
    if (!c.counts) {
        EXPECT_TRUE(SaverInputWatch.FirstEventPending()) << "the ignored first event was used up";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SaverInput,
    ::testing::Values(
        InputCase{1, WM_KEYDOWN, 'A', true}, InputCase{1, WM_MOUSEMOVE, 0, false},
        InputCase{1, WM_LBUTTONDOWN, MK_LBUTTON, false}, InputCase{1, WM_KEYUP, 'A', false},
        InputCase{1, WM_CHAR, 'a', false}, InputCase{1, WM_SYSKEYDOWN, VK_F10, false},
        InputCase{10, WM_LBUTTONDOWN, MK_LBUTTON, true}, InputCase{10, WM_RBUTTONDOWN, MK_RBUTTON, true},
        InputCase{10, WM_MBUTTONDOWN, MK_MBUTTON, true}, InputCase{10, WM_LBUTTONUP, 0, false},
        InputCase{10, WM_LBUTTONDBLCLK, MK_LBUTTON, false}, InputCase{10, WM_MOUSEWHEEL, 0, false},
        InputCase{10, WM_KEYDOWN, 'A', false}, InputCase{10, WM_MOUSEMOVE, 0, false},
        InputCase{100, WM_MOUSEMOVE, 0, true}, InputCase{100, WM_KEYDOWN, 'A', false},
        InputCase{100, WM_RBUTTONDOWN, MK_RBUTTON, false}, InputCase{111, WM_SYSKEYDOWN, VK_F10, false},
        InputCase{111, WM_LBUTTONDBLCLK, MK_LBUTTON, false},
        InputCase{111, WM_RBUTTONDBLCLK, MK_RBUTTON, false}, InputCase{111, WM_LBUTTONDOWN, MK_LBUTTON, true},
        InputCase{5, WM_KEYDOWN, 'A', true}),
    [](const auto& info) {
        char name[64];
        std::snprintf(name, sizeof name, "Row%zu_Sensitivity%lu_Message%04X", info.index,
                      static_cast<unsigned long>(info.param.sensitivity), info.param.message);
        return std::string(name);
    });

// With keys only, mouse input neither ends the saver nor uses up the ignored first key.
TEST_F(SaverWindow, KeyboardOnlyIgnoresTheMouseAndKeepsTheFirstKeyPending) {
    testsupport::SaverValues values;
    values.sensitivity = 1;
    values.Write();
    auto* form = Start();
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE})
        PostMessageA(form->Handle(), message, 0, MAKELPARAM(10, 10));
    PumpApplicationUntilIdle();
    PostKey(form);
    EXPECT_FALSE(tk::Application.Terminated()) << "mouse input used up the ignored first key";
    PostKey(form);
    EXPECT_TRUE(tk::Application.Terminated());
}

} // namespace
