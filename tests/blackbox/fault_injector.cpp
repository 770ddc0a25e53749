// Makes another process die of an unhandled fault: starts a thread in it at address 0, which
// faults at once with an access violation that nothing in that process handles.
//
//   fault_injector PID      exit code 0 when the thread was started, 1 otherwise
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fault_injector PID\n");
        return 2;
    }
    const DWORD pid = std::strtoul(argv[1], nullptr, 0);
    const Handle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                         PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
                                     FALSE, pid));
    if (!process.get()) {
        std::printf("{\"started\":false,\"error\":%lu}\n", GetLastError());
        return 1;
    }
    const Handle thread(CreateRemoteThread(process.get(), nullptr, 0, nullptr, nullptr, 0, nullptr));
    if (!thread.get()) {
        std::printf("{\"started\":false,\"error\":%lu}\n", GetLastError());
        return 1;
    }
    std::printf("{\"started\":true}\n");
    return 0;
}
