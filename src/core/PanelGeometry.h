// The saver's screen geometry: the area it covers, where the password panel goes and the
// rectangle the pointer is held in. All in screen coordinates.
#pragma once

namespace tavrin {

struct Rect {
    int left, top, right, bottom;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// What the saver covers: the virtual screen (every monitor) as the system reports it by its
// origin and size, or the primary screen (at 0, 0) where the system has no virtual-screen
// metrics: before Windows 98 and 2000 they read 0.
Rect CoveredArea(int virtualLeft, int virtualTop, int virtualWidth, int virtualHeight, int primaryWidth,
                 int primaryHeight);

struct PanelPlacement {
    int left, top;
    Rect clip; // pointer confinement: starts one pixel below the panel's top
};

// Centres the panel on the primary screen with truncating division of both sizes by 2.
PanelPlacement PlacePanel(int screenWidth, int screenHeight, int panelWidth, int panelHeight);

} // namespace tavrin
