// The settings record. The saver's copy holds every field; the dialog stages only a part of
// it (see DialogSettings in SettingsStore.h).
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/PictureCatalogue.h"

namespace tavrin {

struct SaverSettings {
    std::uint8_t Sensitivity = 0; // a SensitivityCode
    std::uint8_t PictureSet = 0;  // 1..5 when valid
    std::uint16_t Speed = 0;      // tenths of a second between two pictures
    double CLS = 0.0;             // minutes between two screen cleanings
    std::uint8_t Background = 0;  // 1 desktop; anything else black
    PictureFlags Pictures{};      // entry k enables index k of the chosen set
    bool UsePassword = false;     // the system's password option for screen savers
    std::string Password;         // empty means none
    PictureIndexes ActivePictures{};
    std::uint8_t ActiveCount = 0;
};

} // namespace tavrin
