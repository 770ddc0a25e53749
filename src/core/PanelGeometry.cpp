#include "core/PanelGeometry.h"

namespace tavrin {

Rect CoveredArea(int virtualLeft, int virtualTop, int virtualWidth, int virtualHeight, int primaryWidth,
                 int primaryHeight) {
    if (virtualWidth <= 0 || virtualHeight <= 0) return Rect{0, 0, primaryWidth, primaryHeight};
    return Rect{virtualLeft, virtualTop, virtualLeft + virtualWidth, virtualTop + virtualHeight};
}

PanelPlacement PlacePanel(int screenWidth, int screenHeight, int panelWidth, int panelHeight) {
    // Each size is halved on its own (truncating), so odd sizes can shift the panel by a pixel.
    const int top = screenHeight / 2 - panelHeight / 2;
    const int left = screenWidth / 2 - panelWidth / 2;
    // The pointer is kept off the panel's top border row.
    return PanelPlacement{left, top, Rect{left, top + 1, left + panelWidth, top + panelHeight}};
}

} // namespace tavrin
