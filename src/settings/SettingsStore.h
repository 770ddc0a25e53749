// The places that read or write the settings: the saver's and the preview's loads, the
// configuration dialog's load and save, and the change-password dialog's password write.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

#include "core/Random.h"
#include "core/SliderRules.h"
#include "core/SpinRules.h"
#include "core/PictureCatalogue.h"
#include "settings/Registry.h"
#include "settings/SaverSettings.h"

namespace tavrin {

// The saver's values when there is no product key.
constexpr std::uint8_t kSaverDefaultSensitivity = 111;
constexpr std::uint16_t kSaverDefaultSpeed = 5;
constexpr double kSaverDefaultCLS = 10.0;
constexpr std::uint8_t kSaverDefaultBackground = 1;

// The saver's load (GetMyRegistry): fills every field of `settings`.
//
// Without a product key (or with one that refuses full access) it takes the defaults above,
// a random set Random.Below(5) + 1 and all 25 pictures, and writes nothing. With the key it
// reads PictureSet, Speed, CLS, Version, Background, the password, Sensitivity and Pic_01..
// Pic_25 in that order; with the password option off it erases the stored "Password".
// A missing or unreadable "ScreenSaveUsePassword" means the option is off. A Sensitivity that
// enables no kind of input becomes 111.
//
// When a read or write fails, the fields read so far keep their values, every field not yet
// reached takes its no-key default (the random set is drawn only when PictureSet was not
// reached), ActivePictures is built from Pictures, and the ERegistryException is rethrown.
// A failure before the password step still reads "Password" on its own when the system's
// option is on (unreadable: no password), so a failed load never lifts the protection.
void LoadSaverSettings(TRegistry& registry, Random& random, SaverSettings& settings);

// The preview's load: the saver's load without its password steps and without errors. It
// reads the same values in the same order, writes nothing, leaves UsePassword off and Password
// empty, and on a failed read keeps what it read so far, gives every other field its no-key
// default (as the saver runs after its error box) and returns normally.
void LoadPreviewSettings(TRegistry& registry, Random& random, SaverSettings& settings);

// The part of the settings the configuration dialog stages between registry and widgets.
struct DialogSettings {
    std::uint8_t Sensitivity = 0;
    std::uint8_t PictureSet = 0;
    std::uint16_t Speed = 0;
    double CLS = 0.0;
    PictureFlags Pictures{};
};

// The dialog's load. False when the product key is missing (or refuses full access): nothing
// is read and the widgets keep their layout values. The stored "Background" goes straight to
// `setBackgroundIndex` as it is read (the radio group clamps it); it is not read when
// "Version" is "1", which also forces Speed to 5. Registry errors propagate; values handed
// over before the failure stay handed over.
bool LoadDialogSettings(TRegistry& registry, DialogSettings& settings,
                        const std::function<void(std::int32_t)>& setBackgroundIndex);

// What the widgets hold when "Save" is pressed.
struct DialogChoice {
    bool Keyboard = true;
    bool MouseClick = true;
    bool MouseMove = true;
    std::int32_t CLS = kClsSpinDefault;       // the spin edit's whole number
    std::int32_t Speed = kSpeedSliderDefault; // the slider's value
    std::int32_t PictureSet = 1;              // number of the active page, 1..5
    PictureFlags Pictures{};                  // ticks of the active page's list
    std::int32_t BackgroundIndex = 1;         // -1 when nothing is selected
};

// The staging copy the save computes: Sensitivity encoded (none chosen = 111), Speed cut to
// 16 bits, PictureSet to 8 bits.
DialogSettings SettingsFromChoice(const DialogChoice& choice);

// The dialog's save. False, with nothing written, when the product key can neither be opened
// nor created (the dialog then reports "Failure to access Registry."). Writes "Version" = "2",
// Sensitivity, PictureSet, CLS, Speed, Background and Pic_01..Pic_25 in that order. A refused
// write raises ERegistryException; the values written before it stay written.
bool SaveDialogSettings(TRegistry& registry, const DialogChoice& choice);

// What the dialogs report when the product key can be neither opened nor created.
inline constexpr char kRegistryFailureText[] = "Failure to access Registry.";

// The password write: opens or creates the product key and stores the first 20 characters of
// `newPassword` as "Password", touching nothing else. False when the key cannot be opened or
// created. A refused write raises ERegistryException.
bool WritePassword(TRegistry& registry, std::string_view newPassword);

} // namespace tavrin
