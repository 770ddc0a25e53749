// Where the password panel goes and the rectangle the pointer is held in.
#pragma once

namespace tavrin {

struct Rect {
    int left, top, right, bottom;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct PanelPlacement {
    int left, top;
    Rect clip; // pointer confinement: starts one pixel below the panel's top
};

// Centres the panel with truncating division of both sizes by 2.
PanelPlacement PlacePanel(int screenWidth, int screenHeight, int panelWidth, int panelHeight);

} // namespace tavrin
