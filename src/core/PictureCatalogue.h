// The 125 pictures come in five sets of 25. A picture is numbered 1..125 across all sets;
// within its set it has a 0-based index 0..24, and the stored flags Pic_01..Pic_25 are per
// index, so they apply to whichever set is chosen.
#pragma once
#include <array>
#include <cstdint>

namespace tavrin {

constexpr int kPicturesPerSet = 25;
constexpr int kPictureSets = 5;
constexpr int kPictureCount = kPicturesPerSet * kPictureSets; // 125

using PictureFlags = std::array<bool, kPicturesPerSet>;
using PictureIndexes = std::array<std::uint8_t, kPicturesPerSet>;

// Number (1..125) of index 0..24 of set 1..5.
constexpr int PictureNumber(int set, int index) {
    return (set - 1) * kPicturesPerSet + index + 1;
}

// The dialog's image list (1..5) that holds picture number 1..125.
constexpr int ImageListForPicture(int number) {
    return (number - 1) / kPicturesPerSet + 1;
}

// The indexes of the enabled pictures in ascending order; slots from `activeCount` on are 0.
void BuildActivePictures(const PictureFlags& pictures, PictureIndexes& activePictures,
                         std::uint8_t& activeCount);

} // namespace tavrin
