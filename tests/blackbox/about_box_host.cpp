// Shows the About box the way the configuration dialog does (owned by the application window,
// modal, destroyed when closed), so that the black-box scenarios can drive it on its own.
// Exits with 1 when the box was closed with its button, 2 with the close box.
#include "About.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tk::Application.Initialize();
    return ShowAboutBox() == tk::ModalResult::Ok ? 1 : 2;
}
