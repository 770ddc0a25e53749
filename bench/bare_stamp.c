/* The floor of the stamp measurements and of the size: LoadIconA of a picture from the
 * program's own resources (the same icons Tavrin.scr carries) and DrawIcon on a full-screen
 * window, in C with nothing around it (no C++ runtime).
 *
 *   bare_stamp loop N            N stamps back to back; prints the mean time of one
 *   bare_stamp pace MS SECONDS   one stamp every MS milliseconds from a timer for SECONDS
 *
 * Each stamp gets and releases the window's device context, as a timer handler must. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kPictures = 25, kIconSize = 32, kMargin = 10, kPaceTimer = 1, kEndTimer = 2 };

static unsigned long RandomState = 12345;

/* A small linear congruential generator: the floor needs cheap positions, not good ones. */
static int Random(int below) {
    RandomState = RandomState * 1664525ul + 1013904223ul;
    return below > 0 ? (int)((RandomState & 0xFFFFFFFFul) >> 8) % below : 0;
}

static void Stamp(HWND window) {
    char name[16];
    HICON icon;
    HDC surface;
    int x, y;
    wsprintfA(name, "ICON_%d", 1 + Random(kPictures));
    icon = LoadIconA(GetModuleHandleA(NULL), name);
    if (!icon) return;
    x = kMargin + Random(GetSystemMetrics(SM_CXSCREEN) - kMargin - kIconSize);
    y = kMargin + Random(GetSystemMetrics(SM_CYSCREEN) - kMargin - kIconSize);
    surface = GetDC(window);
    DrawIcon(surface, x, y, icon);
    ReleaseDC(window, surface);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

/* A black top-most popup covering the screen, shown. */
static HWND FullScreenWindow(void) {
    WNDCLASSA windowClass;
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = "TavrinBenchWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                           windowClass.hInstance, NULL);
}

static double Now(void) {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

/* Handles what is queued for a while (window shown, activated, painted). */
static void Settle(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

static int Loop(int count) {
    HWND window = FullScreenWindow();
    double start, seconds;
    int i;
    Settle(300);
    for (i = 0; i < count / 10; ++i) /* warm-up: the icons' first loads */
        Stamp(window);
    start = Now();
    for (i = 0; i < count; ++i)
        Stamp(window);
    seconds = Now() - start;
    printf("stamp_us=%.2f count=%d\n", 1e6 * seconds / count, count);
    DestroyWindow(window);
    return 0;
}

static int Pace(UINT milliseconds, UINT seconds) {
    HWND window = FullScreenWindow();
    MSG message;
    SetTimer(window, kPaceTimer, milliseconds, NULL);
    SetTimer(window, kEndTimer, seconds * 1000, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "loop") == 0) return Loop(atoi(argv[2]) > 0 ? atoi(argv[2]) : 1);
    if (argc == 4 && strcmp(argv[1], "pace") == 0) return Pace((UINT)atoi(argv[2]), (UINT)atoi(argv[3]));
    fprintf(stderr, "usage: bare_stamp loop N | bare_stamp pace MS SECONDS\n");
    return 2;
}
