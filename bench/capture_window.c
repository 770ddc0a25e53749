/* The floor of the launch measurement: the least a Win32 program does to copy the screen into
 * a memory bitmap (as the saver does, before its window shows) and then put a top-most
 * full-screen window on the screen that paints the copy. Closing the window ends it. */
#include <windows.h>

static HDC Copy; /* the memory device context holding the screen's copy */

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PAINTSTRUCT paint;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        BeginPaint(window, &paint);
        BitBlt(paint.hdc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), Copy, 0, 0,
               SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    WNDCLASSA windowClass = {0};
    HDC screen;
    MSG message;
    (void)previous, (void)line, (void)show;

    screen = GetDC(NULL);
    Copy = CreateCompatibleDC(screen);
    SelectObject(Copy, CreateCompatibleBitmap(screen, width, height));
    BitBlt(Copy, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(NULL, screen);

    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TavrinBenchCaptureWindow";
    if (!RegisterClassA(&windowClass)) return 1;
    if (!CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width,
                         height, NULL, NULL, instance, NULL))
        return 1;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
