// Choosing where and which picture one pace tick stamps.
#pragma once
#include <cstdint>
#include <string>

#include "core/PictureCatalogue.h"
#include "core/Random.h"

namespace tavrin {

inline constexpr int kPictureSize = 32;
inline constexpr int kStampMargin = 10; // stamps never touch the leftmost/topmost 10 pixels

// The picture number of index 0 of a set: 1, 26, 51, 76, 101 for sets 1..5, else 0.
std::uint8_t SetBase(std::uint8_t pictureSet);

// "ICON_" followed by the number in decimal without leading zeros.
std::string PictureResourceName(int number);

struct Stamp {
    int x, y;          // top-left corner where the icon is drawn (margin already added)
    int pictureNumber; // 0 when the set is outside 1..5 and index 0 was drawn: nothing to draw
};

// The side of a stamp on a screen of `dpi` pixels per inch: the 32-pixel picture at a whole
// multiple k = dpi / 96 (at least 1), so each of its pixels is a k x k block and it stays pixel
// art; below 192 dpi, 32.
int StampSize(int dpi);

// One pace tick's choice: exactly three draws, in the order x, y, picture slot, the place
// below (screen size - stamp size). A draw below 0 or less gives slot 0; a slot beyond the 25
// (activeCount above 25) reads as index 0.
Stamp NextStamp(Random& random, int screenWidth, int screenHeight, const PictureIndexes& activePictures,
                std::uint8_t activeCount, std::uint8_t pictureSet, int stampSize = kPictureSize);

} // namespace tavrin
