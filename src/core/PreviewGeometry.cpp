#include "core/PreviewGeometry.h"

#include <algorithm>

#include "core/PictureTick.h"

namespace tavrin {

PreviewLayout LayoutPreview(int clientWidth, int clientHeight) {
    const bool fullSize = clientWidth >= kFullSizePreviewWidth && clientHeight >= kFullSizePreviewHeight;
    return PreviewLayout{std::max(clientWidth, 1), std::max(clientHeight, 1),
                         fullSize ? kPictureSize : kSmallPreviewPictureSize};
}

} // namespace tavrin
