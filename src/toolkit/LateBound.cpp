#include "toolkit/LateBound.h"

#include "core/Error.h"

#include <shellapi.h>
#include <string>

namespace tk::late {

namespace {
constexpr char kCommonControls[] = "comctl32.dll";
constexpr char kShell[] = "shell32.dll";

// As SystemFunction, but a missing library or function is an error the user is told about: the
// dialogs cannot be built without it.
template <class Function> Function Required(const char* library, const char* name) {
    if (auto function = SystemFunction<Function>(library, name)) return function;
    const std::string missing = GetModuleHandleA(library) ? std::string(name) + " is missing from " + library
                                                          : std::string(library) + " cannot be loaded";
    throw tavrin::Error(missing + ": this dialog needs the common controls of Internet Explorer 4 or later");
}
} // namespace

// The library stays loaded until the process ends, like an imported one.
FARPROC SystemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    static const auto function =
        Required<decltype(&::InitCommonControlsEx)>(kCommonControls, "InitCommonControlsEx");
    return function(classes);
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
    static const auto function = Required<decltype(&::ImageList_Create)>(kCommonControls, "ImageList_Create");
    return function(width, height, flags, initial, grow);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    static const auto function =
        SystemFunction<decltype(&::ImageList_Destroy)>(kCommonControls, "ImageList_Destroy");
    return function ? function(list) : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    static const auto function =
        SystemFunction<decltype(&::ImageList_GetImageCount)>(kCommonControls, "ImageList_GetImageCount");
    return function ? function(list) : 0;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    static const auto function =
        SystemFunction<decltype(&::ImageList_ReplaceIcon)>(kCommonControls, "ImageList_ReplaceIcon");
    return function ? function(list, index, icon) : -1;
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
    static const auto function = SystemFunction<decltype(&::ShellExecuteA)>(kShell, "ShellExecuteA");
    return function ? function(owner, verb, file, parameters, folder, show) : nullptr;
}

} // namespace tk::late
