// Times a launch: starts a program and waits for a visible top-level window of its process
// that covers the whole screen, then closes that window and waits for the program to end.
//
//   launch_time PROGRAM [ARGS...]      prints launch_ms=<from CreateProcess to the window>
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchWindow.h"

namespace {

constexpr double kGiveUpSeconds = 20.0;
constexpr DWORD kExitWaitMs = 10000;

class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() {
        if (handle_) CloseHandle(handle_);
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

struct Search {
    DWORD processId;
    RECT screen;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT area;
    if (owner != search->processId || !IsWindowVisible(window) || !GetWindowRect(window, &area)) return TRUE;
    if (!EqualRect(&area, &search->screen)) return TRUE;
    search->found = window;
    return FALSE;
}

std::string CommandLine(int argc, char** argv) {
    std::string line;
    line.append("\"").append(argv[1]).append("\"");
    for (int i = 2; i < argc; ++i)
        line.append(" ").append(argv[i]);
    return line;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_time PROGRAM [ARGS...]\n");
        return 2;
    }
    std::string line = CommandLine(argc, argv);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    Search search = {0, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, nullptr};

    const double start = bench::Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        std::fprintf(stderr, "launch_time: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    UniqueHandle process(started.hProcess), thread(started.hThread);
    search.processId = started.dwProcessId;
    while (!search.found && bench::Now() - start < kGiveUpSeconds) {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    const double seconds = bench::Now() - start;

    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), kExitWaitMs) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    if (!search.found) {
        std::fprintf(stderr, "launch_time: no full-screen window within %.0f s\n", kGiveUpSeconds);
        return 1;
    }
    std::printf("launch_ms=%.1f\n", 1e3 * seconds);
    return 0;
}
