// The preview ("/p <window>"): the saver's picture show in a child window of the system's
// little monitor. It only looks: no input watch, no password, no change to the taskbar, the
// screen-saver flag or the pointer, no message boxes and no registry writes.
#pragma once
#include <memory>

#include "core/PreviewGeometry.h"
#include "settings/SaverSettings.h"
#include "toolkit/Handles.h"

class MemoryPicture;

class TPreview {
  public:
    // Loads the settings, captures the desktop when they ask for it and creates the view over
    // the host's client area, cleaned. Handle() is null when the host has gone.
    explicit TPreview(HWND host);
    ~TPreview();
    TPreview(const TPreview&) = delete;
    TPreview& operator=(const TPreview&) = delete;

    HWND Handle() const { return window_.get(); }

    // One pace tick: the saver's draw for a screen of the preview's size, in small pictures.
    void StampPicture();
    // Shows the bare background again.
    void Clean();
    // Takes the host's client size when it has changed; false once the host or the view has
    // gone, which ends the preview.
    bool FollowHost();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeSurface(int clientWidth, int clientHeight);
    void Paint();

    HWND host_;
    tavrin::SaverSettings settings_;
    tavrin::PreviewLayout layout_{};
    std::unique_ptr<MemoryPicture> desktop_; // the whole screen as the preview started; none on black
    std::unique_ptr<MemoryPicture> canvas_;  // what the view shows, stamps included
    tk::UniqueWindow window_;
};

// The window that "/p N" on the command line names, or null when there is none (no preview
// request, a malformed number, or no such window).
HWND PreviewHostFromCommandLine();

// Runs the preview in `host` until the host or the view is destroyed.
int RunPreview(HWND host);
