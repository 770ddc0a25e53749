// The functions the program uses from the common controls (comctl32.dll) and the shell
// (shell32.dll), looked up when first called instead of imported: the saver needs neither
// library, and loading both at every start costs its launch tens of milliseconds under Wine.
// The common controls' start-up and image lists raise an error that says what is missing when
// the library or the function cannot be loaded (Windows 95 without Internet Explorer 4's
// files); the others behave as their namesakes, or fail as they report failure.
#pragma once
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

namespace tk::late {

// The function `name` of a system library, loaded on first use, or nullptr: for functions of
// later Windows, looked up where they are used, with a fallback.
FARPROC SystemFunction(const char* library, const char* name);
template <class Function> Function SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemFunction(library, name)));
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);

} // namespace tk::late
