// The floor of the stamp measurements: LoadIconA of a picture from the program's own
// resources (the same icons Tavrin.scr carries) and DrawIcon on a full-screen window, with
// nothing around it.
//
//   bare_stamp loop N            N stamps back to back; prints the mean time of one
//   bare_stamp pace MS SECONDS   one stamp every MS milliseconds from a timer for SECONDS
//
// Each stamp gets and releases the window's device context, as a timer handler must.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchWindow.h"

namespace {

constexpr int kPictures = 25; // the first set
constexpr int kIconSize = 32;
constexpr int kMargin = 10;
constexpr UINT_PTR kPaceTimer = 1;
constexpr UINT_PTR kEndTimer = 2;

bench::Lcg Random;

void Stamp(HWND window) {
    const std::string name = "ICON_" + std::to_string(1 + Random.Next(kPictures));
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), name.c_str());
    if (!icon) return;
    const int x =
        kMargin + static_cast<int>(Random.Next(GetSystemMetrics(SM_CXSCREEN) - kMargin - kIconSize));
    const int y =
        kMargin + static_cast<int>(Random.Next(GetSystemMetrics(SM_CYSCREEN) - kMargin - kIconSize));
    bench::WindowDc surface(window);
    DrawIcon(surface.get(), x, y, icon);
}

int Loop(int count) {
    bench::FullScreenWindow window;
    bench::Settle(300);
    for (int i = 0; i < count / 10; ++i) // warm-up: the icons' first loads
        Stamp(window.get());
    const double start = bench::Now();
    for (int i = 0; i < count; ++i)
        Stamp(window.get());
    const double seconds = bench::Now() - start;
    std::printf("stamp_us=%.2f count=%d\n", 1e6 * seconds / count, count);
    return 0;
}

LRESULT CALLBACK PaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kPaceTimer) {
        Stamp(window);
        return 0;
    }
    if ((message == WM_TIMER && wParam == kEndTimer) || message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Pace(UINT milliseconds, UINT seconds) {
    bench::FullScreenWindow window(PaceProc);
    SetTimer(window.get(), kPaceTimer, milliseconds, nullptr);
    SetTimer(window.get(), kEndTimer, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "loop") == 0) return Loop(std::max(1, std::atoi(argv[2])));
    if (argc == 4 && std::strcmp(argv[1], "pace") == 0)
        return Pace(static_cast<UINT>(std::atoi(argv[2])), static_cast<UINT>(std::atoi(argv[3])));
    std::fprintf(stderr, "usage: bare_stamp loop N | bare_stamp pace MS SECONDS\n");
    return 2;
}
