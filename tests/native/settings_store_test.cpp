#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "contract/registry_errors.h"
#include "core/Random.h"
#include "support/MemoryRegistryBackend.h"
#include "settings/RegistryLayout.h"
#include "settings/SettingsStore.h"

namespace tavrin {
namespace {

using testing::RegistryErrorOf;
using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view kProduct = kProductKey;
constexpr std::uint32_t kSeed = 20240601;

// A complete product key as the dialog would have saved it (plus a password), minus the
// names in `omit`. Pictures 1, 7 and 25 are on (Pic_07 stored as 2), the rest off.
void PutFullKey(MemoryRegistryBackend& memory, std::initializer_list<std::string_view> omit = {}) {
    const auto kept = [&](std::string_view name) {
        for (std::string_view skip : omit)
            if (skip == name) return false;
        return true;
    };
    const auto put = [&](std::string_view name, std::uint32_t value) {
        if (kept(name)) memory.PutDword(kProduct, name, value);
    };
    memory.AddKey(kProduct);
    if (kept("Version")) memory.PutString(kProduct, "Version", "2");
    if (kept("CLS")) memory.PutDouble(kProduct, "CLS", 7.0);
    if (kept("Password")) memory.PutString(kProduct, "Password", "secret");
    put("PictureSet", 3);
    put("Speed", 20);
    put("Background", 0);
    put("Sensitivity", 101);
    for (int n = 1; n <= 25; ++n)
        put(PictureValueName(n), n == 7 ? 2 : (n == 1 || n == 25));
}

// One saver load from a fresh generator: the record, the error text and the seed after it.
struct SaverLoadRun {
    SaverSettings s;
    std::string error;
    std::uint32_t seedAfter;
};

SaverLoadRun RunSaverLoad(MemoryRegistryBackend& memory) {
    TRegistry registry(memory);
    Random random(kSeed);
    SaverLoadRun run;
    run.error = RegistryErrorOf([&] { LoadSaverSettings(registry, random, run.s); });
    run.seedAfter = random.SeedValue();
    return run;
}

class SaverLoad : public ::testing::Test {
  protected:
    std::string Load() {
        return RegistryErrorOf([&] { LoadSaverSettings(registry_, random_, settings_); });
    }
    void SetUsePassword(std::uint32_t on) { memory_.PutDword(kDesktopKey, "ScreenSaveUsePassword", on); }
    static std::uint8_t FirstDrawnSet() { return static_cast<std::uint8_t>(Random(kSeed).Below(5) + 1); }
    void ExpectNoKeyValues() const {
        EXPECT_EQ(settings_.PictureSet, FirstDrawnSet());
        EXPECT_EQ(settings_.Speed, 5);
        EXPECT_EQ(settings_.CLS, 10.0);
        EXPECT_EQ(settings_.Background, 1);
        EXPECT_EQ(settings_.Sensitivity, 111);
    }

    MemoryRegistryBackend memory_;
    TRegistry registry_{memory_};
    Random random_{kSeed};
    SaverSettings settings_;
};

TEST_F(SaverLoad, WithoutUsableProductKeyTakesDefaultsAndWritesNothing) {
    for (bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "key refusing full access" : "no key");
        MemoryRegistryBackend memory;
        if (locked) {
            PutFullKey(memory);
            memory.DenyFullAccess(kProduct);
        }
        const auto [s, error, seedAfter] = RunSaverLoad(memory);
        EXPECT_EQ(error, "(no error)");
        Random oneDraw(kSeed);
        EXPECT_EQ(s.PictureSet, oneDraw.Below(5) + 1);
        EXPECT_EQ(seedAfter, oneDraw.SeedValue());
        EXPECT_EQ(s.Speed, 5);
        EXPECT_EQ(s.CLS, 10.0);
        EXPECT_EQ(s.Sensitivity, 111);
        EXPECT_EQ(s.Background, 1);
        EXPECT_EQ(s.ActiveCount, 25);
        for (int k = 0; k < 25; ++k) {
            EXPECT_TRUE(s.Pictures[k]);
            EXPECT_EQ(s.ActivePictures[k], k);
        }
        EXPECT_EQ(s.Password, "");
        EXPECT_TRUE(memory.Writes().empty());
        EXPECT_EQ(memory.HasKey(kProduct), locked);
        EXPECT_EQ(memory.OpenHandleCount(), 0u);
    }
}

TEST_F(SaverLoad, ReadsEveryStoredValueWithPasswordOptionOn) {
    PutFullKey(memory_);
    SetUsePassword(1);
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_TRUE(settings_.UsePassword);
    EXPECT_EQ(settings_.PictureSet, 3);
    EXPECT_EQ(settings_.Speed, 20);
    EXPECT_EQ(settings_.CLS, 7.0);
    EXPECT_EQ(settings_.Background, 0);
    EXPECT_EQ(settings_.Sensitivity, 101);
    EXPECT_EQ(settings_.Password, "secret");
    EXPECT_EQ(settings_.ActiveCount, 3); // Pic_07 = 2 counts as on
    EXPECT_EQ(settings_.ActivePictures, (PictureIndexes{0, 6, 24}));
    EXPECT_EQ(random_.SeedValue(), kSeed); // no draw
    EXPECT_TRUE(memory_.Writes().empty());
    EXPECT_EQ(memory_.OpenHandleCount(), 0u);
}

TEST_F(SaverLoad, PasswordOptionOffErasesStoredPassword) {
    PutFullKey(memory_);
    SetUsePassword(0);
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_EQ(settings_.Password, "");
    ASSERT_EQ(memory_.Writes().size(), 1u);
    EXPECT_EQ(memory_.Writes()[0].name, "Password");
    EXPECT_EQ(memory_.Writes()[0].type, RegType::Sz);
    EXPECT_TRUE(memory_.Writes()[0].data.empty());
    EXPECT_EQ(memory_.Get(kProduct, "Password")->data, Bytes{});
}

TEST_F(SaverLoad, PasswordOptionOnWithoutStoredPasswordIsEmpty) {
    PutFullKey(memory_, {"Password"});
    SetUsePassword(1);
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_EQ(settings_.Password, "");
    EXPECT_TRUE(memory_.Writes().empty());
}

TEST(SaverLoadPasswordOption, UnreadableSystemValueMeansOffAndLoadGoesOn) {
    struct Case {
        const char* what;
        std::function<void(MemoryRegistryBackend&)> desktop;
        bool on;
    };
    const Case cases[] = {
        {"no desktop key", [](auto&) {}, false},
        {"value missing", [](auto& m) { m.AddKey(kDesktopKey); }, false},
        {"REG_SZ \"1\"", [](auto& m) { m.PutString(kDesktopKey, "ScreenSaveUsePassword", "1"); }, false},
        {"REG_QWORD",
         [](auto& m) { m.Put(kDesktopKey, "ScreenSaveUsePassword", RegType::Qword, Bytes(8, 1)); }, false},
        {"key refusing full access",
         [](auto& m) {
             m.PutDword(kDesktopKey, "ScreenSaveUsePassword", 1);
             m.DenyFullAccess(kDesktopKey);
         },
         false},
        {"DWORD 0", [](auto& m) { m.PutDword(kDesktopKey, "ScreenSaveUsePassword", 0); }, false},
        {"DWORD 2", [](auto& m) { m.PutDword(kDesktopKey, "ScreenSaveUsePassword", 2); }, true},
        {"lower-case path", [](auto& m) { m.PutDword("control panel\\Desktop", "screensaveusepassword", 1); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryRegistryBackend memory;
        PutFullKey(memory);
        c.desktop(memory);
        const auto [s, error, seedAfter] = RunSaverLoad(memory);
        EXPECT_EQ(error, "(no error)");
        EXPECT_EQ(s.UsePassword, c.on);
        EXPECT_EQ(s.Password, c.on ? "secret" : "");
        EXPECT_EQ(s.PictureSet, 3);
    }
}

TEST(SaverLoadValues, VersionRuleAndLowBitsAndSensitivity) {
    struct Case {
        const char* what;
        std::function<void(MemoryRegistryBackend&)> store;
        std::uint8_t set, background, sensitivity;
        std::uint16_t speed;
    };
    const auto dword = [](std::string_view name, std::uint32_t v) {
        return [=](MemoryRegistryBackend& m) { m.PutDword(kProduct, name, v); };
    };
    const auto version = [](std::string_view text, bool zero) {
        return [=](MemoryRegistryBackend& m) { m.PutString(kProduct, "Version", text, zero); };
    };
    const Case cases[] = {
        {"Version 1", version("1", false), 3, 1, 101, 5},
        {"Version 1 with zero", version("1", true), 3, 1, 101, 5},
        {"Version 01", version("01", false), 3, 0, 101, 20},
        {"Version empty", version("", false), 3, 0, 101, 20},
        {"Version without data", [](auto& m) { m.Put(kProduct, "Version", RegType::Sz, {}); }, 3, 0, 101, 20},
        {"Speed 65541", dword("Speed", 65541), 3, 0, 101, 5},
        {"PictureSet 262", dword("PictureSet", 262), 6, 0, 101, 20},
        {"Background 257", dword("Background", 257), 3, 1, 101, 20},
        {"Background 2", dword("Background", 2), 3, 2, 101, 20},
        {"Sensitivity 0", dword("Sensitivity", 0), 3, 0, 111, 20},
        {"Sensitivity 257", dword("Sensitivity", 257), 3, 0, 1, 20},
        {"Sensitivity 5", dword("Sensitivity", 5), 3, 0, 111, 20},
        {"Sensitivity 12", dword("Sensitivity", 12), 3, 0, 111, 20},
        {"Sensitivity 110", dword("Sensitivity", 110), 3, 0, 110, 20},
        {"Sensitivity 367", dword("Sensitivity", 367), 3, 0, 111, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryRegistryBackend memory;
        PutFullKey(memory);
        c.store(memory);
        const auto [s, error, seedAfter] = RunSaverLoad(memory);
        EXPECT_EQ(error, "(no error)");
        EXPECT_EQ(s.PictureSet, c.set);
        EXPECT_EQ(s.Background, c.background);
        EXPECT_EQ(s.Sensitivity, c.sensitivity);
        EXPECT_EQ(s.Speed, c.speed);
    }
}

TEST_F(SaverLoad, OldLayoutNeedsNoBackgroundValue) {
    PutFullKey(memory_, {"Background"});
    memory_.PutString(kProduct, "Version", "1");
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_EQ(settings_.Background, 1);
}

TEST_F(SaverLoad, MissingVersionMeansCurrentLayout) {
    PutFullKey(memory_, {"Version"});
    memory_.PutDword(kProduct, "Background", 7);
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_EQ(settings_.Background, 7);
    EXPECT_EQ(settings_.Speed, 20);
}

TEST_F(SaverLoad, KeyHoldingOnlyPasswordFallsBackEverywhereAndReports) {
    memory_.PutString(kProduct, "Password", "abc");
    EXPECT_EQ(Load(), "Failed to get data for 'PictureSet'");
    ExpectNoKeyValues();
    EXPECT_EQ(settings_.ActiveCount, 25);
    EXPECT_EQ(settings_.ActivePictures[24], 24);
    EXPECT_TRUE(memory_.Writes().empty()); // the erase step was never reached
    EXPECT_EQ(memory_.OpenHandleCount(), 0u);
}

// A load that fails before the password step still reads the system's option and "Password"
// each on its own, so the lock holds; a password that is not text means none.
TEST(SaverLoadFailures, PasswordIsStillReadOnItsOwn) {
    struct Case {
        const char* name;
        std::uint32_t option;
        std::function<void(MemoryRegistryBackend&)> put;
        const char* password;
    };
    const Case cases[] = {
        {"only Password, option on", 1, [](auto& m) { m.PutString(kProduct, "Password", "abc"); }, "abc"},
        {"only Password, option off", 0, [](auto& m) { m.PutString(kProduct, "Password", "abc"); }, ""},
        {"Password not text", 1, [](auto& m) { m.PutDword(kProduct, "Password", 7); }, ""},
        {"no Password", 1, [](auto& m) { m.AddKey(kProduct); }, ""},
        {"Speed missing", 1, [](auto& m) { PutFullKey(m, {"Speed"}); }, "secret"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistryBackend memory;
        memory.PutDword(kDesktopKey, "ScreenSaveUsePassword", c.option);
        c.put(memory);
        const auto [s, error, seedAfter] = RunSaverLoad(memory);
        EXPECT_NE(error, "(no error)");
        EXPECT_EQ(s.Password, c.password);
        EXPECT_TRUE(memory.Writes().empty());
        EXPECT_EQ(memory.OpenHandleCount(), 0u);
    }
}

// Each failing step keeps what was read before it and falls back for the rest.
TEST(SaverLoadFailures, FieldsBeforeTheFailureKeepTheirValues) {
    struct Case {
        std::string_view omit;
        std::function<void(MemoryRegistryBackend&)> spoil;
        const char* error;
        int reached; // 0 none, 1 PictureSet, 2 Speed, 3 CLS, 4 Background, 5 Sensitivity
        int picturesRead;
    };
    const auto none = [](auto&) {};
    const Case cases[] = {
        {"Speed", none, "Failed to get data for 'Speed'", 1, 0},
        {"",
         [](auto& m) {
             m.Put(kProduct, "CLS", RegType::Dword, {1, 0, 0, 0});
         },
         "Invalid data type for 'CLS'", 2, 0},
        {"", [](auto& m) { m.Put(kProduct, "CLS", RegType::Binary, Bytes(9, 0)); },
         "Failed to get data for 'CLS'", 2, 0},
        {"", [](auto& m) { m.PutDword(kProduct, "Version", 2); }, "Invalid data type for 'Version'", 3, 0},
        {"Background", none, "Failed to get data for 'Background'", 3, 0},
        {"", [](auto& m) { m.FailWritesTo("Password"); }, "Failed to set data for 'Password'", 4, 0},
        {"Sensitivity", none, "Failed to get data for 'Sensitivity'", 4, 0},
        {"Pic_13", none, "Failed to get data for 'Pic_13'", 5, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        MemoryRegistryBackend memory;
        PutFullKey(memory, {c.omit});
        c.spoil(memory);
        const auto [s, error, seedAfter] = RunSaverLoad(memory);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(s.PictureSet, 3); // every case gets past PictureSet: no draw
        EXPECT_EQ(seedAfter, kSeed);
        EXPECT_EQ(s.Speed, c.reached >= 2 ? 20 : 5);
        EXPECT_EQ(s.CLS, c.reached >= 3 ? 7.0 : 10.0);
        EXPECT_EQ(s.Background, c.reached >= 4 ? 0 : 1);
        EXPECT_EQ(s.Sensitivity, c.reached >= 5 ? 101 : 111);
        std::uint8_t expectedCount = 0;
        for (int k = 0; k < 25; ++k) {
            const bool on = k >= c.picturesRead || k == 0 || k == 6 || k == 24;
            EXPECT_EQ(s.Pictures[k], on) << "picture " << k + 1;
            if (on) {
                EXPECT_EQ(s.ActivePictures[expectedCount++], k);
            }
        }
        EXPECT_EQ(s.ActiveCount, expectedCount);
        EXPECT_EQ(memory.OpenHandleCount(), 0u);
    }
}

// The saver's reads without its password steps (a refused erase would fail the saver's load):
// nothing written or thrown, and a failed read shows what the saver runs with after its box.
TEST(PreviewLoad, ReadsLikeTheSaverButNeverWritesOrFails) {
    struct Case {
        const char* omit; // nullptr: no product key
        std::uint32_t passwordOption;
        std::uint8_t set, activeCount;
        std::uint16_t speed;
    };
    const auto drawnSet = static_cast<std::uint8_t>(Random(kSeed).Below(5) + 1);
    const Case cases[] = {
        {nullptr, 1, drawnSet, 25, 5}, {"", 1, 3, 3, 20},        {"", 0, 3, 3, 20},
        {"Speed", 1, 3, 25, 5},        {"Pic_13", 0, 3, 15, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.omit ? c.omit : "no key");
        MemoryRegistryBackend memory;
        if (c.omit) PutFullKey(memory, {c.omit});
        memory.FailWritesTo("Password");
        memory.PutDword(kDesktopKey, "ScreenSaveUsePassword", c.passwordOption);
        TRegistry registry(memory);
        Random random(kSeed);
        SaverSettings s;
        LoadPreviewSettings(registry, random, s);
        EXPECT_EQ(s.PictureSet, c.set);
        EXPECT_EQ(s.Speed, c.speed);
        EXPECT_EQ(s.ActiveCount, c.activeCount);
        EXPECT_EQ(s.Password, "");
        EXPECT_TRUE(memory.Writes().empty());
        EXPECT_EQ(memory.OpenHandleCount(), 0u);
    }
}

class DialogStore : public ::testing::Test {
  protected:
    std::string Load() {
        return RegistryErrorOf([&] {
            loaded_ =
                LoadDialogSettings(registry_, settings_, [&](std::int32_t i) { backgrounds_.push_back(i); });
        });
    }
    std::string Save(const DialogChoice& choice) {
        return RegistryErrorOf([&] { saved_ = SaveDialogSettings(registry_, choice); });
    }
    std::vector<std::string> WrittenNames() const {
        std::vector<std::string> names;
        for (const auto& w : memory_.Writes())
            names.push_back(w.name);
        return names;
    }
    static std::vector<std::string> SaveOrder() {
        std::vector<std::string> names = {"Version", "Sensitivity", "PictureSet",
                                          "CLS",     "Speed",       "Background"};
        for (int n = 1; n <= 25; ++n)
            names.push_back(PictureValueName(n));
        return names;
    }

    MemoryRegistryBackend memory_;
    TRegistry registry_{memory_};
    DialogSettings settings_{42, 42, 42, 42.0, {}};
    std::vector<std::int32_t> backgrounds_;
    bool loaded_ = false;
    bool saved_ = false;
};

TEST_F(DialogStore, LoadWithoutUsableKeyReadsNothing) {
    memory_.PutString(kProduct, "Version", "2");
    memory_.DenyFullAccess(kProduct);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Load(), "(no error)");
        EXPECT_FALSE(loaded_);
        EXPECT_EQ(settings_.Speed, 42);
        EXPECT_TRUE(backgrounds_.empty());
        memory_ = MemoryRegistryBackend(); // then with no key at all
    }
}

TEST_F(DialogStore, LoadPassesRawValuesThrough) {
    PutFullKey(memory_);
    memory_.PutDword(kProduct, "Sensitivity", 0); // the dialog keeps 0
    memory_.PutDword(kProduct, "PictureSet", 6);
    memory_.PutDword(kProduct, "Speed", 65541);
    memory_.PutDword(kProduct, "Background", static_cast<std::uint32_t>(-5));
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_TRUE(loaded_);
    EXPECT_EQ(settings_.Sensitivity, 0);
    EXPECT_EQ(settings_.PictureSet, 6);
    EXPECT_EQ(settings_.Speed, 5);
    EXPECT_EQ(settings_.CLS, 7.0);
    EXPECT_EQ(backgrounds_, std::vector<std::int32_t>{-5});
    EXPECT_TRUE(settings_.Pictures[0] && settings_.Pictures[6] && settings_.Pictures[24] &&
                !settings_.Pictures[1]);
    EXPECT_TRUE(memory_.Writes().empty());
}

TEST_F(DialogStore, LoadOfOldLayoutForcesSpeedAndSkipsBackground) {
    PutFullKey(memory_, {"Background"});
    memory_.PutString(kProduct, "Version", "1");
    EXPECT_EQ(Load(), "(no error)");
    EXPECT_EQ(settings_.Speed, 5);
    EXPECT_TRUE(backgrounds_.empty());
}

TEST_F(DialogStore, LoadErrorsPropagateAfterBackgroundWasHandedOver) {
    PutFullKey(memory_, {"Pic_05"});
    memory_.PutDword(kProduct, "Background", 1);
    EXPECT_EQ(Load(), "Failed to get data for 'Pic_05'");
    EXPECT_EQ(backgrounds_, std::vector<std::int32_t>{1});
    memory_ = MemoryRegistryBackend();
    backgrounds_.clear();
    memory_.PutString(kProduct, "Password", "abc");
    EXPECT_EQ(Load(), "Failed to get data for 'Sensitivity'");
    EXPECT_TRUE(backgrounds_.empty());
}

TEST_F(DialogStore, SaveWritesEveryValueInOrder) {
    DialogChoice choice;
    choice.Keyboard = choice.MouseMove = false; // click only: 10
    choice.CLS = 60;
    choice.Speed = 65541;
    choice.PictureSet = 3;
    choice.Pictures[0] = choice.Pictures[24] = true;
    choice.BackgroundIndex = -1;
    EXPECT_EQ(Save(choice), "(no error)");
    EXPECT_TRUE(saved_);
    EXPECT_EQ(WrittenNames(), SaveOrder());
    const auto& w = memory_.Writes();
    EXPECT_EQ(w[0].type, RegType::Sz);
    EXPECT_EQ(w[0].data, Bytes{'2'});
    EXPECT_EQ(w[1].data, (Bytes{10, 0, 0, 0}));
    EXPECT_EQ(w[2].data, (Bytes{3, 0, 0, 0}));
    EXPECT_EQ(w[3].type, RegType::Binary);
    EXPECT_EQ(w[3].data, (Bytes{0, 0, 0, 0, 0, 0, 0x4E, 0x40})); // 60.0
    EXPECT_EQ(w[4].data, (Bytes{5, 0, 0, 0}));
    EXPECT_EQ(w[5].data, (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    for (int k = 0; k < 25; ++k)
        EXPECT_EQ(w[6 + k].data[0], k == 0 || k == 24) << k;
    EXPECT_EQ(memory_.OpenHandleCount(), 0u);
}

TEST_F(DialogStore, SavedLayoutValuesReadBackInTheSaver) {
    EXPECT_EQ(Save(DialogChoice{}), "(no error)");
    memory_.PutDword(kDesktopKey, "ScreenSaveUsePassword", 1);
    Random random(kSeed);
    SaverSettings s;
    LoadSaverSettings(registry_, random, s);
    EXPECT_EQ(s.Sensitivity, 111);
    EXPECT_EQ(s.PictureSet, 1);
    EXPECT_EQ(s.CLS, 12.0);
    EXPECT_EQ(s.Speed, 10);
    EXPECT_EQ(s.Background, 1);
    EXPECT_EQ(s.ActiveCount, 0);
}

TEST(DialogChoiceEncoding, SensitivityFromTheThreeBoxes) {
    const std::tuple<bool, bool, bool, int> cases[] = {{false, false, false, 111}, {true, false, false, 1},
                                                       {false, true, false, 10},   {false, false, true, 100},
                                                       {true, false, true, 101},   {true, true, true, 111}};
    for (const auto& [keyboard, click, move, code] : cases) {
        DialogChoice choice;
        choice.Keyboard = keyboard;
        choice.MouseClick = click;
        choice.MouseMove = move;
        EXPECT_EQ(SettingsFromChoice(choice).Sensitivity, code);
    }
}

TEST_F(DialogStore, SaveThatCannotOpenTheKeyWritesNothing) {
    memory_.FailCreate();
    EXPECT_EQ(Save(DialogChoice{}), "(no error)");
    EXPECT_FALSE(saved_);
    EXPECT_FALSE(memory_.HasKey(kProduct));
    memory_ = MemoryRegistryBackend();
    PutFullKey(memory_);
    memory_.DenyFullAccess(kProduct);
    EXPECT_EQ(Save(DialogChoice{}), "(no error)");
    EXPECT_FALSE(saved_);
    EXPECT_TRUE(memory_.Writes().empty());
}

TEST_F(DialogStore, FailedWriteKeepsEarlierValuesAndStopsThere) {
    PutFullKey(memory_);
    memory_.FailWritesTo("CLS");
    DialogChoice choice;
    choice.PictureSet = 5;
    EXPECT_EQ(Save(choice), "Failed to set data for 'CLS'");
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"Version", "Sensitivity", "PictureSet"}));
    EXPECT_EQ(memory_.Get(kProduct, "PictureSet")->data[0], 5);
    EXPECT_EQ(memory_.Get(kProduct, "Speed")->data[0], 20); // old value stays
    EXPECT_EQ(memory_.OpenHandleCount(), 0u);
}

TEST(PasswordWrite, StoresAtMostTwentyCharactersAndNothingElse) {
    const std::pair<std::string, std::string> cases[] = {
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
        {"Ab c", "Ab c"},
        {"", ""},
    };
    for (const auto& [typed, stored] : cases) {
        MemoryRegistryBackend memory;
        TRegistry registry(memory);
        EXPECT_TRUE(WritePassword(registry, typed));
        ASSERT_EQ(memory.Writes().size(), 1u);
        EXPECT_EQ(memory.Writes()[0].key, kProduct);
        EXPECT_EQ(memory.Writes()[0].name, "Password");
        EXPECT_EQ(memory.Writes()[0].data, Bytes(stored.begin(), stored.end()));
        EXPECT_EQ(memory.ValueCount(kProduct), 1u);
    }
}

TEST(PasswordWrite, KeyFailureIsSilentAndRefusedWriteRaises) {
    MemoryRegistryBackend memory;
    TRegistry registry(memory);
    memory.FailCreate();
    EXPECT_EQ(RegistryErrorOf([&] { EXPECT_FALSE(WritePassword(registry, "x")); }), "(no error)");
    EXPECT_FALSE(memory.HasKey(kProduct));
    memory.FailCreate(false);
    memory.FailWritesTo("Password");
    EXPECT_EQ(RegistryErrorOf([&] { WritePassword(registry, "x"); }), "Failed to set data for 'Password'");
    EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

} // namespace
} // namespace tavrin
