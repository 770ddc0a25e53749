// The Windows 95 mode of the Wine tests: started with --as-windows-95, a test program answers the
// code under test as Windows 95 would, where Wine (whatever version it reports) has more.
// - GetProcAddress finds only the names the Windows 95 / NT 4.0 DLLs exported (docs/windows95-exports);
// - CreateWindowExA refuses a message-only parent (those came with Windows 2000);
// - GetSystemMetrics gives 0 for the virtual-screen and monitor metrics (Windows 98 and 2000).
// The hooks sit in the test program's import table, which the code under test calls through.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "wine/support/ImportHook.h"
#include "windows95_exports.h" // made from docs/windows95-exports: kWindows95Exports

namespace testsupport {
namespace {

bool ExportedByWindows95(HMODULE module, const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    std::string dll = path;
    dll = dll.substr(dll.find_last_of("\\/") + 1);
    CharLowerBuffA(dll.data(), static_cast<DWORD>(dll.size()));
    for (const auto& list : kWindows95Exports) {
        if (dll != list.dll) continue;
        const std::string line = std::string("\n") + name + "\n";
        return std::strstr(list.names, line.c_str()) != nullptr;
    }
    return false; // a library Windows 95 did not have
}

FARPROC(WINAPI* SystemGetProcAddress)(HMODULE, LPCSTR) = nullptr;
HWND(WINAPI* SystemCreateWindowExA)
(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID) = nullptr;
int(WINAPI* SystemGetSystemMetrics)(int) = nullptr;

FARPROC WINAPI Windows95GetProcAddress(HMODULE module, LPCSTR name) {
    const bool byOrdinal = reinterpret_cast<UINT_PTR>(name) >> 16 == 0;
    if (!byOrdinal && !ExportedByWindows95(module, name)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return SystemGetProcAddress(module, name);
}

HWND WINAPI Windows95CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                     LPVOID param) {
    if (parent == HWND_MESSAGE) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return SystemCreateWindowExA(exStyle, cls, title, style, x, y, width, height, parent, menu, instance,
                                 param);
}

int WINAPI Windows95GetSystemMetrics(int index) {
    switch (index) {
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
        return 0;
    }
    return SystemGetSystemMetrics(index);
}

class Windows95 : public ::testing::Environment {
  public:
    Windows95() {
        SystemGetProcAddress = reinterpret_cast<decltype(SystemGetProcAddress)>(getProcAddress_.Original());
        SystemCreateWindowExA = reinterpret_cast<decltype(SystemCreateWindowExA)>(createWindow_.Original());
        SystemGetSystemMetrics =
            reinterpret_cast<decltype(SystemGetSystemMetrics)>(systemMetrics_.Original());
    }
    void SetUp() override {
        for (const ImportHook* hook : {&getProcAddress_, &createWindow_, &systemMetrics_})
            ASSERT_TRUE(hook->Installed()) << "the test program does not import a function the mode answers";
    }

  private:
    ImportHook getProcAddress_{"kernel32.dll", "GetProcAddress",
                               reinterpret_cast<void*>(Windows95GetProcAddress)};
    ImportHook createWindow_{"user32.dll", "CreateWindowExA",
                             reinterpret_cast<void*>(Windows95CreateWindowExA)};
    ImportHook systemMetrics_{"user32.dll", "GetSystemMetrics",
                              reinterpret_cast<void*>(Windows95GetSystemMetrics)};
};

const bool registered = [] {
    if (std::strstr(GetCommandLineA(), "--as-windows-95"))
        ::testing::AddGlobalTestEnvironment(new Windows95); // owned by GoogleTest
    return true;
}();

} // namespace
} // namespace testsupport
