// The picture show that the saver and the preview both run: the random draw seeded from the
// clock, the background (the desktop as the show found it, or black) kept as it was, the
// surface that shows it, the stamp of one pace tick and the cleaning that puts the kept
// background back. Each window sizes the surface, says where the stamps go and paints it.
#pragma once
#include <memory>

#include "core/PanelGeometry.h"
#include "core/PictureTick.h"
#include "settings/SaverSettings.h"
#include "toolkit/Handles.h"

class TPictureShow {
  public:
    // Seeds the shared random draw with the milliseconds since midnight of the system time: the
    // show is made before the settings are loaded, and the load may draw.
    explicit TPictureShow(const tavrin::SaverSettings& settings);
    ~TPictureShow();

    // Keeps the background the loaded settings ask for: the rectangle `area` of the screen, or
    // black. Called before the window first shows, so the desktop is the one the user left.
    void KeepBackground(const tavrin::Rect& area);
    // Where the pace ticks stamp: on the show's surface (which cleaning then wipes), or on the
    // window over it, so that the surface only ever holds the background.
    enum class Stamps { OnSurface, OnWindow };
    // Makes the surface width x height and cleans it. With the stamps on the window and the kept
    // background of that size, the background itself is the surface: no second copy to make.
    void MakeSurface(int width, int height, Stamps stamps = Stamps::OnSurface);
    // Puts the kept background back over the whole surface: copied, or shrunk to a smaller one.
    void Clean();
    // One pace tick on `target`: exactly three draws, x, y and the picture, as for a screen of
    // width x height and stamps of `placeSize`, then the picture's own 32 x 32 image drawn at
    // size x size through its mask. Returns the rectangle drawn on; empty when the picture has
    // no image.
    RECT Stamp(HDC target, int width, int height, int size, int placeSize = tavrin::kPictureSize) const;
    // The surface's drawing context, for the stamps the preview keeps on it.
    HDC Surface() const;
    // Paints the surface at the top-left corner of `dc`.
    void Paint(HDC dc) const;

  private:
    class Picture;
    const tavrin::SaverSettings& settings_;
    std::unique_ptr<Picture> kept_;       // the desktop as captured; none on black
    std::unique_ptr<Picture> ownSurface_; // the surface, where it is not the kept background
    Picture* surface_ = nullptr;          // what the window shows under the stamps it draws itself
};

// Picture `number`'s own 32 x 32 image (not the system's large icon, which is another size under
// display scaling), shared: the system keeps one copy of each for the run. Null for a number
// without a picture.
HICON LoadPicture(int number);
