// The preview ("/p <window>"): the saver's picture show in a child window of the system's
// little monitor. It only looks: no input watch, no password, no change to the taskbar, the
// screen-saver flag or the pointer, no message boxes and no registry writes.
#pragma once
#include "PictureShow.h"
#include "core/PreviewGeometry.h"
#include "settings/SaverSettings.h"
#include "toolkit/Handles.h"

class TPreview {
  public:
    // Loads the settings, keeps the background they ask for and creates the view over the
    // host's client area, cleaned. Handle() is null when the host has gone.
    explicit TPreview(HWND host);
    TPreview(const TPreview&) = delete;
    TPreview& operator=(const TPreview&) = delete;

    HWND Handle() const { return window_.get(); }

    // One pace tick: the show's stamp, kept on its surface.
    void StampPicture();
    // Takes the host's client size when it has changed; false once the host or the view has
    // gone, which ends the preview.
    bool FollowHost();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeSurface(int clientWidth, int clientHeight);
    void Clean();

    HWND host_;
    tavrin::SaverSettings settings_;
    TPictureShow show_{settings_}; // made before the load, which may draw
    tavrin::PreviewLayout layout_{};
    tk::UniqueWindow window_; // declared last: the view goes before the show it paints
};

// The window that "/p N" on the command line names, or null when there is none (no preview
// request, a malformed number, or no such window).
HWND PreviewHostFromCommandLine();

// Runs the preview in `host` until the host or the view is destroyed, or an error ends it.
int RunPreview(HWND host);
