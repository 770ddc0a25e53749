#include "toolkit/LateBound.h"

#include <shellapi.h>

namespace tk::late {

namespace {
constexpr char kCommonControls[] = "comctl32.dll";
constexpr char kShell[] = "shell32.dll";

// The function `name` of `library`, or nullptr. The library stays loaded until the process
// ends, like an imported one.
template <class Function> Function Lookup(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
} // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    static const auto function =
        Lookup<decltype(&::InitCommonControlsEx)>(kCommonControls, "InitCommonControlsEx");
    return function ? function(classes) : FALSE;
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
    static const auto function = Lookup<decltype(&::ImageList_Create)>(kCommonControls, "ImageList_Create");
    return function ? function(width, height, flags, initial, grow) : nullptr;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    static const auto function = Lookup<decltype(&::ImageList_Destroy)>(kCommonControls, "ImageList_Destroy");
    return function ? function(list) : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    static const auto function =
        Lookup<decltype(&::ImageList_GetImageCount)>(kCommonControls, "ImageList_GetImageCount");
    return function ? function(list) : 0;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    static const auto function =
        Lookup<decltype(&::ImageList_ReplaceIcon)>(kCommonControls, "ImageList_ReplaceIcon");
    return function ? function(list, index, icon) : -1;
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
    static const auto function = Lookup<decltype(&::ShellExecuteA)>(kShell, "ShellExecuteA");
    return function ? function(owner, verb, file, parameters, folder, show) : nullptr;
}

} // namespace tk::late
