// The size of the preview's drawing surface and of the pictures stamped on it.
#pragma once

namespace tavrin {

// A preview this large or larger takes the saver's own 32-pixel pictures; a smaller one (the
// system's little monitor is about 152 x 112) takes 16-pixel ones, which stay recognisable
// without covering a large part of it.
inline constexpr int kFullSizePreviewWidth = 400;
inline constexpr int kFullSizePreviewHeight = 300;
inline constexpr int kSmallPreviewPictureSize = 16;

struct PreviewLayout {
    int width, height; // the surface: the host's client area, at least 1 x 1
    int pictureSize;
    friend bool operator==(const PreviewLayout&, const PreviewLayout&) = default;
};

// The layout for a host's client area. A collapsed host still gets a one-pixel surface, so the
// preview always has a bitmap to draw into and simply shows nothing of it.
PreviewLayout LayoutPreview(int clientWidth, int clientHeight);

} // namespace tavrin
