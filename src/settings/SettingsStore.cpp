#include "settings/SettingsStore.h"

#include "settings/RegistryLayout.h"
#include "core/SensitivityCode.h"

namespace tavrin {

namespace {

// Only the low bits of the stored integers count.
std::uint8_t Low8(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}
std::uint16_t Low16(std::int32_t value) {
    return static_cast<std::uint16_t>(value);
}

// Closes the current key however the scope is left.
class KeyCloser {
  public:
    explicit KeyCloser(TRegistry& registry) : registry_(registry) {}
    ~KeyCloser() { registry_.CloseKey(); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

  private:
    TRegistry& registry_;
};

// The saver's fields the load has filled in so far, in reading order.
struct SaverLoadProgress {
    bool pictureSet = false;
    bool speed = false;
    bool cls = false;
    bool background = false;
    bool password = false;
    bool sensitivity = false;
    int pictures = 0; // Pic_01 .. Pic_nn read
};

// A missing desktop key, a missing value, a value of another type: all mean "off", so an
// unusual system key never costs the user their settings.
void ReadUsePassword(TRegistry& registry, SaverSettings& settings) {
    settings.UsePassword = false;
    if (!registry.KeyExists(kDesktopKey)) return;
    KeyCloser closer(registry);
    registry.OpenKey(kDesktopKey, false);
    try {
        settings.UsePassword = registry.ReadBool(kUsePasswordValue);
    } catch (const ERegistryException&) {
        settings.UsePassword = false;
    }
}

// With the system's password option off, any stored password is erased.
void ReadOrErasePassword(TRegistry& registry, SaverSettings& settings) {
    settings.Password.clear();
    if (settings.UsePassword)
        settings.Password = registry.ReadString(kPasswordValue);
    else
        registry.WriteString(kPasswordValue, "");
}

// After a failed load the password is still read on its own: a key that holds nothing but
// "Password" (what the change-password dialog leaves) must still lock the saver. A password
// that cannot be read as text means none, so the user is never locked out.
void ReadPasswordAfterFailure(TRegistry& registry, SaverSettings& settings) {
    settings.Password.clear();
    if (!settings.UsePassword) return;
    try {
        settings.Password = registry.ReadString(kPasswordValue);
    } catch (const ERegistryException&) {
        settings.Password.clear();
    }
}

// A code that would let no input end the saver is taken as "every input".
std::uint8_t UsableSensitivity(std::uint8_t code) {
    return SensitivityEnablesAny(code) ? code : kAllInputKinds;
}

// The preview only looks: it neither reads nor erases the password.
enum class PasswordStep { ReadOrErase, Skip };

void ReadProductValues(TRegistry& registry, SaverSettings& settings, SaverLoadProgress& progress,
                       PasswordStep passwordStep = PasswordStep::ReadOrErase) {
    settings.PictureSet = Low8(registry.ReadInteger(kPictureSetValue));
    progress.pictureSet = true;
    settings.Speed = Low16(registry.ReadInteger(kSpeedValue));
    progress.speed = true;
    settings.CLS = registry.ReadFloat(kClsValue);
    progress.cls = true;
    // The older layout had no "Background" and a fixed pace.
    if (registry.ReadString(kVersionValue) == kOldLayoutVersion) {
        settings.Background = kSaverDefaultBackground;
        settings.Speed = kSaverDefaultSpeed;
    } else {
        settings.Background = Low8(registry.ReadInteger(kBackgroundValue));
    }
    progress.background = true;
    if (passwordStep == PasswordStep::ReadOrErase) ReadOrErasePassword(registry, settings);
    progress.password = true;
    settings.Sensitivity = UsableSensitivity(Low8(registry.ReadInteger(kSensitivityValue)));
    progress.sensitivity = true;
    for (int n = 1; n <= kPicturesPerSet; ++n) {
        settings.Pictures[n - 1] = registry.ReadBool(PictureValueName(n));
        progress.pictures = n;
    }
}

// Gives every field the load has not filled in its no-key value. The random set is drawn
// only here, so a load that read "PictureSet" leaves the generator untouched.
void FillUnreached(const SaverLoadProgress& progress, Random& random, SaverSettings& settings) {
    if (!progress.pictureSet) settings.PictureSet = static_cast<std::uint8_t>(random.Below(kPictureSets) + 1);
    if (!progress.speed) settings.Speed = kSaverDefaultSpeed;
    if (!progress.cls) settings.CLS = kSaverDefaultCLS;
    if (!progress.background) settings.Background = kSaverDefaultBackground;
    if (!progress.sensitivity) settings.Sensitivity = kSaverDefaultSensitivity;
    for (int k = progress.pictures; k < kPicturesPerSet; ++k)
        settings.Pictures[k] = true;
}

void BuildActiveList(SaverSettings& settings) {
    BuildActivePictures(settings.Pictures, settings.ActivePictures, settings.ActiveCount);
}

} // namespace

void LoadSaverSettings(TRegistry& registry, Random& random, SaverSettings& settings) {
    ReadUsePassword(registry, settings);
    if (!registry.KeyExists(kProductKey)) {
        settings.Password.clear();
        FillUnreached(SaverLoadProgress{}, random, settings);
        BuildActiveList(settings);
        return;
    }
    KeyCloser closer(registry);
    registry.OpenKey(kProductKey, false); // a failed open shows up as failed reads
    SaverLoadProgress progress;
    try {
        ReadProductValues(registry, settings, progress);
    } catch (const ERegistryException&) {
        // Run with usable values, but still let the caller report the error.
        if (!progress.password) ReadPasswordAfterFailure(registry, settings);
        FillUnreached(progress, random, settings);
        BuildActiveList(settings);
        throw;
    }
    BuildActiveList(settings);
}

void LoadPreviewSettings(TRegistry& registry, Random& random, SaverSettings& settings) {
    settings.UsePassword = false;
    settings.Password.clear();
    SaverLoadProgress progress;
    if (registry.KeyExists(kProductKey)) {
        KeyCloser closer(registry);
        registry.OpenKey(kProductKey, false);
        try {
            ReadProductValues(registry, settings, progress, PasswordStep::Skip);
        } catch (const ERegistryException&) {
            // Shown as the saver would run after its error box; the preview opens no box.
        }
    }
    FillUnreached(progress, random, settings);
    BuildActiveList(settings);
}

bool LoadDialogSettings(TRegistry& registry, DialogSettings& settings,
                        const std::function<void(std::int32_t)>& setBackgroundIndex) {
    if (!registry.KeyExists(kProductKey)) return false;
    KeyCloser closer(registry);
    registry.OpenKey(kProductKey, false); // a failed open shows up as failed reads
    settings.Sensitivity = Low8(registry.ReadInteger(kSensitivityValue));
    settings.PictureSet = Low8(registry.ReadInteger(kPictureSetValue));
    settings.Speed = Low16(registry.ReadInteger(kSpeedValue));
    settings.CLS = registry.ReadFloat(kClsValue);
    if (registry.ReadString(kVersionValue) == kOldLayoutVersion) {
        settings.Speed = kSaverDefaultSpeed;
    } else {
        // Handed over at once, so a later failed read leaves it applied.
        const std::int32_t background = registry.ReadInteger(kBackgroundValue);
        if (setBackgroundIndex) setBackgroundIndex(background);
    }
    for (int n = 1; n <= kPicturesPerSet; ++n)
        settings.Pictures[n - 1] = registry.ReadBool(PictureValueName(n));
    return true;
}

DialogSettings SettingsFromChoice(const DialogChoice& choice) {
    DialogSettings settings;
    settings.Sensitivity = EncodeSensitivity(choice.Keyboard, choice.MouseClick, choice.MouseMove);
    settings.PictureSet = Low8(choice.PictureSet);
    settings.Speed = Low16(choice.Speed);
    settings.CLS = choice.CLS;
    settings.Pictures = choice.Pictures;
    return settings;
}

bool SaveDialogSettings(TRegistry& registry, const DialogChoice& choice) {
    const DialogSettings settings = SettingsFromChoice(choice);
    if (!registry.OpenKey(kProductKey, true)) return false;
    KeyCloser closer(registry);
    registry.WriteString(kVersionValue, kLayoutVersion);
    registry.WriteInteger(kSensitivityValue, settings.Sensitivity);
    registry.WriteInteger(kPictureSetValue, settings.PictureSet);
    registry.WriteFloat(kClsValue, settings.CLS);
    registry.WriteInteger(kSpeedValue, settings.Speed);
    registry.WriteInteger(kBackgroundValue, choice.BackgroundIndex);
    for (int n = 1; n <= kPicturesPerSet; ++n)
        registry.WriteBool(PictureValueName(n), settings.Pictures[n - 1]);
    return true;
}

bool WritePassword(TRegistry& registry, std::string_view newPassword) {
    if (!registry.OpenKey(kProductKey, true)) return false;
    KeyCloser closer(registry);
    registry.WriteString(kPasswordValue, newPassword.substr(0, kMaxPasswordLength));
    return true;
}

} // namespace tavrin
