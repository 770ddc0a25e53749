#include "core/PictureTick.h"

#include <algorithm>

namespace tavrin {

std::uint8_t SetBase(std::uint8_t pictureSet) {
    if (pictureSet < 1 || pictureSet > kPictureSets) return 0;
    return static_cast<std::uint8_t>(PictureNumber(pictureSet, 0));
}

std::string PictureResourceName(int number) {
    return "ICON_" + std::to_string(number);
}

int StampSize(int dpi) {
    constexpr int kBaseDpi = 96;
    return kPictureSize * std::max(1, dpi / kBaseDpi);
}

Stamp NextStamp(Random& random, int screenWidth, int screenHeight, const PictureIndexes& activePictures,
                std::uint8_t activeCount, std::uint8_t pictureSet, int stampSize) {
    // The draw order x, y, picture is fixed: it decides the whole sequence of a seed.
    const int x = random.Below(screenWidth - stampSize);
    const int y = random.Below(screenHeight - stampSize);
    const auto slot = static_cast<std::size_t>(random.Below(activeCount));
    const int index = slot < activePictures.size() ? activePictures[slot] : 0;
    return Stamp{x + kStampMargin, y + kStampMargin, index + SetBase(pictureSet)};
}

} // namespace tavrin
