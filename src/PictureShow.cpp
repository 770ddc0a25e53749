#include "PictureShow.h"

#include "core/Error.h"
#include "core/Random.h"
#include "toolkit/Application.h"

// A bitmap selected into a memory device context for as long as both live.
class TPictureShow::Picture {
  public:
    Picture(int width, int height) : width_(width), height_(height) {
        tk::WindowDc screen(nullptr);
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        if (!dc_ || !bitmap_) throw tavrin::Error("Out of system resources");
        previous_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Picture() { SelectObject(dc_.get(), previous_); }
    HDC dc() const { return dc_.get(); }
    // The size it was made at: the screen's size may read otherwise later (a preview's host of
    // another display scaling awareness).
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_, height_;
    tk::UniqueMemoryDc dc_;
    tk::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

TPictureShow::TPictureShow(const tavrin::SaverSettings& settings) : settings_(settings) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    tavrin::SharedRandom().Seed(
        tavrin::MillisecondsSinceMidnight(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds));
}

TPictureShow::~TPictureShow() = default;

void TPictureShow::KeepBackground(const tavrin::Rect& area) {
    if (surface_ == kept_.get()) surface_ = nullptr;
    kept_.reset();
    if (settings_.Background != 1) return;
    kept_ = std::make_unique<Picture>(area.right - area.left, area.bottom - area.top);
    tk::WindowDc screen(nullptr);
    BitBlt(kept_->dc(), 0, 0, kept_->width(), kept_->height(), screen.get(), area.left, area.top, SRCCOPY);
}

void TPictureShow::MakeSurface(int width, int height, Stamps stamps) {
    if (stamps == Stamps::OnWindow && kept_ && kept_->width() == width && kept_->height() == height) {
        ownSurface_.reset();
        surface_ = kept_.get();
        return;
    }
    ownSurface_ = std::make_unique<Picture>(width, height);
    surface_ = ownSurface_.get();
    // Pictures drawn smaller than their image shrink colour on colour, pixel for pixel, which
    // keeps their pixel art crisp; the default mode would darken them.
    SetStretchBltMode(surface_->dc(), COLORONCOLOR);
    Clean();
}

void TPictureShow::Clean() {
    if (!surface_ || surface_ == kept_.get()) return;
    const HDC surface = surface_->dc();
    const int width = surface_->width(), height = surface_->height();
    if (!kept_) {
        const RECT all = {0, 0, width, height};
        FillRect(surface, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else if (kept_->width() == width && kept_->height() == height) {
        BitBlt(surface, 0, 0, width, height, kept_->dc(), 0, 0, SRCCOPY);
    } else {
        // Halftone averages the desktop's pixels into the small picture; where it is missing
        // (Windows 95, 98 and ME) the desktop shrinks colour on colour too.
        SetStretchBltMode(surface, HALFTONE);
        SetBrushOrgEx(surface, 0, 0, nullptr);
        StretchBlt(surface, 0, 0, width, height, kept_->dc(), 0, 0, kept_->width(), kept_->height(), SRCCOPY);
        SetStretchBltMode(surface, COLORONCOLOR);
    }
}

// Looked up by name at every tick; a number without a picture draws nothing.
RECT TPictureShow::Stamp(HDC target, int width, int height, int size, int placeSize) const {
    const tavrin::Stamp stamp =
        tavrin::NextStamp(tavrin::SharedRandom(), width, height, settings_.ActivePictures,
                          settings_.ActiveCount, settings_.PictureSet, placeSize);
    const HICON picture = LoadPicture(stamp.pictureNumber);
    if (!picture) return {};
    DrawIconEx(target, stamp.x, stamp.y, picture, size, size, 0, nullptr, DI_NORMAL);
    return {stamp.x, stamp.y, stamp.x + size, stamp.y + size};
}

HDC TPictureShow::Surface() const {
    return surface_ ? surface_->dc() : nullptr;
}

void TPictureShow::Paint(HDC dc) const {
    if (surface_) BitBlt(dc, 0, 0, surface_->width(), surface_->height(), surface_->dc(), 0, 0, SRCCOPY);
}

HICON LoadPicture(int number) {
    return static_cast<HICON>(LoadImageA(tk::ModuleInstance(), tavrin::PictureResourceName(number).c_str(),
                                         IMAGE_ICON, tavrin::kPictureSize, tavrin::kPictureSize, LR_SHARED));
}
