// The functions the program uses from the common controls (comctl32.dll) and the shell
// (shell32.dll), looked up when first called instead of imported: the saver needs neither
// library, and loading both at every start costs its launch tens of milliseconds under Wine.
// Each behaves as its namesake, or fails as it reports failure when the library or the
// function is missing.
#pragma once
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

namespace tk::late {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);

} // namespace tk::late
