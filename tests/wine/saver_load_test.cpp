// The saver's settings load in-process: the error box of a failed load and the defaults the
// saver runs with then, and the input sensitivity code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "wine/support/MessageBoxCatcher.h"
#include "wine/support/SaverWindow.h"

namespace {

using namespace testsupport;

// ---- settings load ------------------------------------------------------------------------

struct LoadFailureCase {
    const char* name;
    void (*prepare)();
    const char* message;
    UINT paceInterval;
    UINT cleaningInterval;
    std::uint8_t background;
    std::uint8_t activeCount;
    std::uint8_t sensitivity;
};

void OnlyPassword() {
    testsupport::ProductKey().SetString("Password", "abc");
}
void ClsAsDword() {
    testsupport::SaverValues values;
    values.speed = 7;
    values.background = 0;
    values.Write();
    testsupport::ProductKey().SetDword("CLS", 3);
}
void SensitivityAsText() {
    testsupport::SaverValues values;
    values.speed = 3;
    values.cls = 2.0;
    values.background = 0;
    values.Write();
    testsupport::ProductKey().SetString("Sensitivity", "1");
}
void PictureSevenMissing() {
    testsupport::SaverValues values;
    values.speed = 2;
    values.cls = 4.0;
    values.background = 0;
    values.pictures = 1u << 1; // of Pic_01..Pic_06 only Pic_02
    values.Write();
    testsupport::ProductKey().Delete("Pic_07");
}

class SaverLoadFailure : public SaverWindow, public ::testing::WithParamInterface<LoadFailureCase> {};

// After a failed load the error box names the value; the fields read keep their values, every
// other field takes the saver's no-key value, and the saver covers the screen and runs.
TEST_P(SaverLoadFailure, ErrorBoxThenTheSaverRunsWithDefaultsForWhatWasNotRead) {
    const LoadFailureCase& c = GetParam();
    c.prepare();
    MessageBoxCatcher catcher;
    // Looked at before any message is handled: with every kind of input on, the pointer moves
    // Wine sends after the box closes and the window shows could end the saver at once.
    auto* form = tk::Application.CreateForm<TFormScreenSaver>();
    ASSERT_EQ(catcher.Boxes().size(), 1u) << Describe(catcher);
    EXPECT_EQ(catcher.Boxes()[0].text, c.message);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Tavrin");
    EXPECT_EQ(catcher.Boxes()[0].icon, LoadIconA(nullptr, IDI_HAND));

    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(SameRect(WindowRect(form->Handle()), RECT{0, 0, ScreenWidth(), ScreenHeight()}));
    const SIZE background = BitmapSize(form->PictureShow.Surface());
    EXPECT_EQ(background.cx, ScreenWidth());
    EXPECT_EQ(background.cy, ScreenHeight());
    EXPECT_EQ(form->TimerSpeed->Interval(), c.paceInterval);
    EXPECT_TRUE(form->TimerSpeed->Running());
    EXPECT_EQ(form->TimerCLS->Interval(), c.cleaningInterval);
    EXPECT_TRUE(form->TimerCLS->Running());
    EXPECT_EQ(SaverSettings.Sensitivity, c.sensitivity);
    EXPECT_EQ(SaverSettings.Background, c.background);
    EXPECT_EQ(SaverSettings.ActiveCount, c.activeCount);
    EXPECT_GE(SaverSettings.PictureSet, 1);
    EXPECT_LE(SaverSettings.PictureSet, 5);
    EXPECT_TRUE(testsupport::SaverFlag());
    EXPECT_TRUE(SaverInputWatch.Armed());
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SaverLoadFailure,
    ::testing::Values(LoadFailureCase{"OnlyPassword", OnlyPassword, "Failed to get data for 'PictureSet'",
                                      500, 600000, 1, 25, 111},
                      LoadFailureCase{"ClsAsDword", ClsAsDword, "Invalid data type for 'CLS'", 700, 600000, 1,
                                      25, 111},
                      LoadFailureCase{"SensitivityAsText", SensitivityAsText,
                                      "Invalid data type for 'Sensitivity'", 300, 120000, 0, 25, 111},
                      LoadFailureCase{"PictureSevenMissing", PictureSevenMissing,
                                      "Failed to get data for 'Pic_07'", 200, 240000, 0, 20, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct SensitivityCase {
    DWORD stored;
    std::uint8_t used;
};

class SaverSensitivity : public SaverWindow, public ::testing::WithParamInterface<SensitivityCase> {};

// Only the low 8 bits count, and a code that lets no input end the saver is taken as 111.
TEST_P(SaverSensitivity, StoredCodeAsUsed) {
    testsupport::SaverValues values;
    values.sensitivity = GetParam().stored;
    values.Write();
    Start();
    EXPECT_EQ(SaverSettings.Sensitivity, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Codes, SaverSensitivity,
                         ::testing::Values(SensitivityCase{1, 1}, SensitivityCase{10, 10},
                                           SensitivityCase{11, 11}, SensitivityCase{100, 100},
                                           SensitivityCase{101, 101}, SensitivityCase{110, 110},
                                           SensitivityCase{111, 111}, SensitivityCase{0, 111},
                                           SensitivityCase{5, 111}, SensitivityCase{12, 111},
                                           SensitivityCase{112, 111}, SensitivityCase{257, 1},
                                           SensitivityCase{256, 111}),
                         [](const auto& info) { return "Stored" + std::to_string(info.param.stored); });

} // namespace
