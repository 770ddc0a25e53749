// Shows the preview the way the system's display settings do, for the README's picture: two
// little monitors side by side, the left one over a black background and the right one over
// the desktop, each filled with a fixed series of pictures. Closing the window ends it.
//
//   tavrin_preview_picture.exe [pictures]     (default 24 pictures in each preview)
#include <cstdlib>
#include <memory>

#include "Preview.h"
#include "core/Random.h"
#include "toolkit/Application.h"

namespace {
constexpr int kScreenWidth = 152, kScreenHeight = 112; // the system's little monitor
constexpr int kBezel = 12, kGap = 20;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A monitor's bezel with its screen: the screen is the host the preview draws into.
HWND MakeMonitor(HWND frame, int left) {
    CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, left, kGap,
                    kScreenWidth + 2 * kBezel, kScreenHeight + 2 * kBezel, frame, nullptr, nullptr, nullptr);
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, left + kBezel + 2, kGap + kBezel + 2,
                           kScreenWidth, kScreenHeight, frame, nullptr, nullptr, nullptr);
}

void StoreBackground(DWORD background) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quillam\\Tavrin", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExA(key, "Background", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&background),
                   sizeof background);
    RegCloseKey(key);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    const int pictures = *arguments ? std::atoi(arguments) : 24;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "TavrinPreviewPicture";
    RegisterClassA(&wc);
    const int monitor = kScreenWidth + 2 * kBezel + 4;
    RECT size = {0, 0, 3 * kGap + 2 * monitor, 2 * kGap + kScreenHeight + 2 * kBezel + 4};
    AdjustWindowRect(&size, WS_CAPTION, FALSE);
    HWND frame =
        CreateWindowExA(0, wc.lpszClassName, "Tavrin preview", WS_CAPTION | WS_VISIBLE, 100, 100,
                        size.right - size.left, size.bottom - size.top, nullptr, nullptr, instance, nullptr);
    std::unique_ptr<TPreview> previews[2];
    for (int i = 0; i < 2; ++i) {
        HWND host = MakeMonitor(frame, kGap + i * (monitor + kGap));
        StoreBackground(i);
        previews[i] = std::make_unique<TPreview>(host);
        tavrin::SharedRandom().Seed(20240601 + i);
        for (int n = 0; n < pictures; ++n)
            previews[i]->StampPicture();
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
