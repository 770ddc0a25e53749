#include "core/PictureCatalogue.h"

namespace tavrin {

void BuildActivePictures(const PictureFlags& pictures, PictureIndexes& activePictures,
                         std::uint8_t& activeCount) {
    activePictures.fill(0);
    activeCount = 0;
    for (int k = 0; k < kPicturesPerSet; ++k) {
        if (pictures[k]) activePictures[activeCount++] = static_cast<std::uint8_t>(k);
    }
}

} // namespace tavrin
