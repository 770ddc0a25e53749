// Test probe: a small console program that runs inside the Wine session and reports what a
// Windows user would see (top-level windows, taskbar, screen-saver flag, message boxes) as
// one line of JSON on stdout. It can also reset shared system state and close windows.
//
//   probe windows [filters]          top-level windows
//   probe wait [filters] [timeout=MS] first matching window once it exists (exit 1 on time-out)
//   probe gone [filters] [timeout=MS] waits until no window matches (exit 1 on time-out)
//   probe processes [exe=NAME]       Windows processes: pid and image name
//   probe state                      screen, taskbar, saver flag, foreground, cursor, clip
//   probe reset                      clears the saver flag, shows the taskbar
//   probe msgbox [filters]           the first message box ("#32770") with its texts and buttons
//   probe press [filters] [button=TEXT]  presses a message box button (default: the first)
//   probe close HWND                 posts WM_CLOSE
//   probe children HWND              the window's child windows, of any process
//   probe show HWND CMD              ShowWindow(HWND, CMD): 6 minimises, 9 restores
//   probe foreground HWND            SetForegroundWindow(HWND)
//   probe reg KEY VALUE              type and raw bytes of a value under HKEY_CURRENT_USER
//   probe values KEY...              every value of each key under HKEY_CURRENT_USER (null if none)
//   probe keepalive                  hidden window that keeps the Wine desktop alive until killed
//   probe pattern X Y W H            shows colour bars at that place until closed or killed
//   probe serve                      reads commands from stdin, one a line (see serve())
//
// Filters are key=value words: class=, title=, exe= (image file name, case-insensitive),
// pid= (Windows process id), visible=1. Exit code 0 on success, 1 when nothing matched,
// 2 on bad usage.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring wide(const std::string& text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
    if (size > 1) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), size);
    return out;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string rectJson(const RECT& r) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
    return buffer;
}

std::string className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return utf8(buffer);
}

std::string windowText(HWND window) {
    // WM_GETTEXT through SendMessageTimeout so a hung window cannot hang the probe.
    wchar_t buffer[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 500,
                        &ignored);
    return utf8(buffer);
}

std::string imageName(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return {};
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    std::string name;
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == pid) {
            name = utf8(entry.szExeFile);
            break;
        }
    }
    CloseHandle(snapshot);
    return name;
}

bool sameText(const std::string& a, const std::string& b) {
    return lstrcmpiW(wide(a).c_str(), wide(b).c_str()) == 0;
}

// A process is in this list until the Wine server has closed its handles (its named objects
// included), which can be a little after its Unix process has gone.
int listProcesses(const std::string& exe) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    std::string out = "[";
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
        std::string name = utf8(entry.szExeFile);
        if (!exe.empty() && !sameText(name, exe)) continue;
        char pid[32];
        std::snprintf(pid, sizeof pid, "%lu", static_cast<unsigned long>(entry.th32ProcessID));
        if (out.size() > 1) out += ",";
        out += std::string("{\"pid\":") + pid + ",\"exe\":" + quoted(name) + "}";
    }
    CloseHandle(snapshot);
    std::printf("%s]\n", out.c_str());
    return 0;
}

struct Filter {
    std::string cls, title, exe, button;
    DWORD pid = 0;
    bool visibleOnly = false;
    DWORD timeoutMs = 5000;

    bool matches(HWND window) const {
        if (!cls.empty() && className(window) != cls) return false;
        if (!title.empty() && windowText(window) != title) return false;
        if (visibleOnly && !IsWindowVisible(window)) return false;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (pid != 0 && owner != pid) return false;
        if (!exe.empty() && !sameText(imageName(owner), exe)) return false;
        return true;
    }
};

bool parseFilter(int argc, char** argv, int first, Filter& filter) {
    for (int i = first; i < argc; ++i) {
        std::string word = argv[i];
        size_t equals = word.find('=');
        if (equals == std::string::npos) return false;
        std::string key = word.substr(0, equals), value = word.substr(equals + 1);
        if (key == "class")
            filter.cls = value;
        else if (key == "title")
            filter.title = value;
        else if (key == "exe")
            filter.exe = value;
        else if (key == "button")
            filter.button = value;
        else if (key == "pid")
            filter.pid = std::strtoul(value.c_str(), nullptr, 0);
        else if (key == "visible")
            filter.visibleOnly = value == "1";
        else if (key == "timeout")
            filter.timeoutMs = std::strtoul(value.c_str(), nullptr, 0);
        else
            return false;
    }
    return true;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> matching(const Filter& filter) {
    std::vector<HWND> found;
    for (HWND window : topLevelWindows())
        if (filter.matches(window)) found.push_back(window);
    return found;
}

std::string windowJson(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    LONG style = GetWindowLongW(window, GWL_STYLE);
    LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    char numbers[256];
    std::snprintf(numbers, sizeof numbers,
                  "\"hwnd\":%lu,\"pid\":%lu,\"visible\":%s,\"topmost\":%s,\"style\":%lu,"
                  "\"exstyle\":%lu,\"owner\":%lu,",
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)),
                  static_cast<unsigned long>(pid), IsWindowVisible(window) ? "true" : "false",
                  (exStyle & WS_EX_TOPMOST) ? "true" : "false", static_cast<unsigned long>(style),
                  static_cast<unsigned long>(exStyle),
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetWindow(window, GW_OWNER))));
    return std::string("{") + numbers + "\"class\":" + quoted(className(window)) +
           ",\"title\":" + quoted(windowText(window)) + ",\"exe\":" + quoted(imageName(pid)) +
           ",\"rect\":" + rectJson(rect) + "}";
}

int listWindows(const Filter& filter) {
    std::string out = "[";
    for (HWND window : matching(filter)) {
        if (out.size() > 1) out += ",";
        out += windowJson(window);
    }
    std::printf("%s]\n", out.c_str());
    return 0;
}

// Polls in 20 ms steps: fine enough to measure how long a program takes to show its window.
int waitWindow(const Filter& filter, bool untilGone) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = matching(filter);
        DWORD elapsed = GetTickCount() - start;
        if (!untilGone && !found.empty()) {
            std::printf("{\"elapsed_ms\":%lu,\"window\":%s}\n", static_cast<unsigned long>(elapsed),
                        windowJson(found.front()).c_str());
            return 0;
        }
        if (untilGone && found.empty()) {
            std::printf("{\"elapsed_ms\":%lu}\n", static_cast<unsigned long>(elapsed));
            return 0;
        }
        if (elapsed >= filter.timeoutMs) {
            std::printf("{\"elapsed_ms\":%lu,\"timeout\":true}\n", static_cast<unsigned long>(elapsed));
            return 1;
        }
        Sleep(20);
    }
}

// Waits until no process holds the named mutex (a program's single-instance name).
int waitReleased(const char* name, const char* timeoutArgument) {
    const DWORD timeoutMs = timeoutArgument ? std::strtoul(timeoutArgument + 8, nullptr, 10) : 5000;
    DWORD start = GetTickCount();
    for (;;) {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
        if (mutex) CloseHandle(mutex);
        DWORD elapsed = GetTickCount() - start;
        if (!mutex || elapsed >= timeoutMs) {
            std::printf("{\"elapsed_ms\":%lu,\"released\":%s}\n", static_cast<unsigned long>(elapsed),
                        mutex ? "false" : "true");
            return mutex ? 1 : 0;
        }
        Sleep(20);
    }
}

// Wine's taskbar buttons, left to right: visible children of Shell_TrayWnd of class Button
// (Start is the first), as a JSON list of screen rectangles.
std::string taskbarButtons(HWND tray) {
    std::string list;
    for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        RECT rect{};
        GetWindowRect(child, &rect);
        if (!IsWindowVisible(child) || lstrcmpiW(cls, L"Button") != 0) continue;
        if (!list.empty()) list += ',';
        list += rectJson(rect);
    }
    return "[" + list + "]";
}

int showState() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT trayRect{};
    if (tray) GetWindowRect(tray, &trayRect);
    BOOL running = FALSE;
    SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    HWND foreground = GetForegroundWindow();
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT clip{};
    GetClipCursor(&clip);
    std::printf("{\"screen\":[%d,%d],\"taskbar\":{\"exists\":%s,\"visible\":%s,\"rect\":%s,\"buttons\":%s},"
                "\"saver_running\":%s,\"foreground\":%s,\"cursor\":[%ld,%ld],\"clip\":%s}\n",
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), tray ? "true" : "false",
                (tray && IsWindowVisible(tray)) ? "true" : "false", rectJson(trayRect).c_str(),
                taskbarButtons(tray).c_str(), running ? "true" : "false",
                foreground ? windowJson(foreground).c_str() : "null", cursor.x, cursor.y,
                rectJson(clip).c_str());
    return 0;
}

// The saver flag outlives the process that set it, so every scenario starts from a clean one.
int resetState() {
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) ShowWindow(tray, SW_SHOWNA);
    ClipCursor(nullptr);
    return showState();
}

struct Control {
    HWND window;
    std::string cls, text;
    int id;
};

BOOL CALLBACK collectControl(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<Control>*>(list)->push_back(
        {child, className(child), windowText(child), GetDlgCtrlID(child)});
    return TRUE;
}

std::vector<Control> children(HWND parent) {
    std::vector<Control> list;
    EnumChildWindows(parent, collectControl, reinterpret_cast<LPARAM>(&list));
    return list;
}

bool isButton(const Control& control) {
    if (!sameText(control.cls, "Button")) return false;
    LONG kind = GetWindowLongW(control.window, GWL_STYLE) & BS_TYPEMASK;
    return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

void appendItem(std::string& list, const std::string& item) {
    if (!list.empty()) list += ',';
    list += item;
}

int messageBox(Filter filter, bool press) {
    filter.cls = "#32770";
    std::vector<HWND> boxes = matching(filter);
    if (boxes.empty()) {
        std::printf("null\n");
        return 1;
    }
    HWND box = boxes.front();
    std::vector<Control> controls = children(box);
    if (press) {
        for (const Control& control : controls) {
            if (!isButton(control)) continue;
            std::string label;
            for (char c : control.text)
                if (c != '&') label += c;
            if (!filter.button.empty() && !sameText(label, filter.button)) continue;
            // A posted WM_COMMAND is what a click on the button sends to its dialog.
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(control.id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(control.window));
            std::printf("{\"pressed\":%s}\n", quoted(label).c_str());
            return 0;
        }
        std::printf("{\"pressed\":null}\n");
        return 1;
    }
    std::string texts, buttons;
    for (const Control& control : controls) {
        if (isButton(control))
            appendItem(buttons, quoted(control.text));
        else if (sameText(control.cls, "Static") && !control.text.empty())
            appendItem(texts, quoted(control.text));
    }
    std::string window = windowJson(box);
    window.pop_back();
    std::printf("%s,\"texts\":[%s],\"buttons\":[%s]}\n", window.c_str(), texts.c_str(), buttons.c_str());
    return 0;
}

int closeWindow(const char* handle) {
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(handle, nullptr, 0)));
    if (!IsWindow(window)) {
        std::printf("{\"closed\":false}\n");
        return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    std::printf("{\"closed\":true}\n");
    return 0;
}

// The child windows of a window, whichever process made them.
int listChildren(const char* handle) {
    HWND parent = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(handle, nullptr, 0)));
    std::vector<HWND> found;
    if (IsWindow(parent)) EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&found));
    std::string out = "[";
    for (HWND child : found) {
        if (out.size() > 1) out += ",";
        out += windowJson(child);
    }
    std::printf("%s]\n", out.c_str());
    return IsWindow(parent) ? 0 : 1;
}

// Shows a window with a ShowWindow command (6 minimises, 9 restores), as another program or
// the user would.
int showWindowCommand(const char* handle, const char* command) {
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(handle, nullptr, 0)));
    if (!IsWindow(window)) return 1;
    ShowWindow(window, std::atoi(command));
    std::printf("{\"iconic\":%s}\n", IsIconic(window) ? "true" : "false");
    return 0;
}

// Makes another program's window the foreground window.
int foregroundWindow(const char* handle) {
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(handle, nullptr, 0)));
    if (!IsWindow(window)) return 1;
    SetForegroundWindow(window);
    std::printf("{\"foreground\":%s}\n", GetForegroundWindow() == window ? "true" : "false");
    return 0;
}

// `wine reg query` shows an empty string the same whether it has no data or one zero byte;
// the raw bytes tell them apart. Read through the ANSI calls, as the program itself reads.
int registryValue(const char* key, const char* value) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        std::printf("null\n");
        return 1;
    }
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExA(handle, value, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data(size);
    if (status == ERROR_SUCCESS && size > 0)
        status = RegQueryValueExA(handle, value, nullptr, &type, data.data(), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS) {
        std::printf("null\n");
        return 1;
    }
    std::string hex;
    for (DWORD i = 0; i < size; ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", data[i]);
        hex += digits;
    }
    std::printf("{\"type\":%lu,\"size\":%lu,\"data\":\"%s\"}\n", static_cast<unsigned long>(type),
                static_cast<unsigned long>(size), hex.c_str());
    return 0;
}

std::string hexBytes(const BYTE* data, DWORD size) {
    static const char digits[] = "0123456789abcdef";
    std::string hex(static_cast<size_t>(size) * 2, '0');
    for (DWORD i = 0; i < size; ++i) {
        hex[2 * i] = digits[data[i] >> 4];
        hex[2 * i + 1] = digits[data[i] & 15];
    }
    return hex;
}

// All values of a key with their raw types and bytes, so a scenario can tell whether a
// program added, changed or removed any value (not only the ones it knows about).
std::string valuesJson(const char* key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return "null";
    DWORD count = 0, longestName = 0, longestData = 0;
    RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                     &longestData, nullptr, nullptr);
    std::vector<char> name(longestName + 2);
    std::vector<BYTE> data(longestData + 2);
    std::string out = "[";
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(handle, i, name.data(), &nameSize, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            continue;
        char numbers[64];
        std::snprintf(numbers, sizeof numbers,
                      ",\"type\":%lu,\"size\":%lu,\"data\":", static_cast<unsigned long>(type),
                      static_cast<unsigned long>(size));
        if (out.size() > 1) out += ",";
        out += "{\"name\":" + quoted(std::string(name.data(), nameSize)) + numbers + "\"" +
               hexBytes(data.data(), size) + "\"}";
    }
    RegCloseKey(handle);
    return out + "]";
}

// Several keys in one call: {"KEY": [values] or null, ...}.
int registryValues(int argc, char** argv) {
    std::string out = "{";
    for (int i = 2; i < argc; ++i) {
        if (out.size() > 1) out += ",";
        out += quoted(argv[i]) + ":" + valuesJson(argv[i]);
    }
    std::fputs((out + "}\n").c_str(), stdout);
    return 0;
}

// Wine's desktop process ends about a second after its last GUI program; this window keeps it
// (and the taskbar) alive for the whole session, so launches never race its shutdown.
int keepAlive() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavrinHarnessKeepAlive";
    RegisterClassW(&windowClass);
    CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"keepalive", WS_POPUP, 0, 0, 1, 1, nullptr,
                    nullptr, windowClass.hInstance, nullptr);
    std::printf("{\"keepalive\":true}\n");
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

int usage();

// Eight vertical bars in fully saturated colours: a desktop content that no other window has,
// so a screenshot shows at once whether it is still the desktop.
const COLORREF patternColours[] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),     RGB(255, 255, 0),
                                   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255), RGB(128, 64, 0)};

LRESULT CALLBACK patternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        const int bars = static_cast<int>(std::size(patternColours));
        for (int i = 0; i < bars; ++i) {
            RECT bar = {client.right * i / bars, 0, client.right * (i + 1) / bars, client.bottom};
            HBRUSH brush = CreateSolidBrush(patternColours[i]);
            FillRect(dc, &bar, brush);
            DeleteObject(brush);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int showPattern(int argc, char** argv) {
    if (argc != 6) return usage();
    int x = std::atoi(argv[2]), y = std::atoi(argv[3]), width = std::atoi(argv[4]),
        height = std::atoi(argv[5]);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = patternProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavrinHarnessPattern";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName, L"pattern", WS_POPUP,
                        x, y, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    std::printf("{\"hwnd\":%lu}\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: probe "
                         "windows|wait|gone|processes|state|reset|msgbox|press|close|children|show|"
                         "foreground|reg|values|released|"
                         "keepalive|pattern [arguments]\n");
    return 2;
}

} // namespace

static int command(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string command = argv[1];
    if (command == "state") return showState();
    if (command == "reset") return resetState();
    if (command == "keepalive") return keepAlive();
    if (command == "pattern") return showPattern(argc, argv);
    if (command == "close") return argc == 3 ? closeWindow(argv[2]) : usage();
    if (command == "children") return argc == 3 ? listChildren(argv[2]) : usage();
    if (command == "show") return argc == 4 ? showWindowCommand(argv[2], argv[3]) : usage();
    if (command == "foreground") return argc == 3 ? foregroundWindow(argv[2]) : usage();
    if (command == "reg") return argc == 4 ? registryValue(argv[2], argv[3]) : usage();
    if (command == "values") return argc >= 3 ? registryValues(argc, argv) : usage();
    if (command == "released")
        return argc == 3 || (argc == 4 && std::strncmp(argv[3], "timeout=", 8) == 0)
                   ? waitReleased(argv[2], argc == 4 ? argv[3] : nullptr)
                   : usage();
    Filter filter;
    if (!parseFilter(argc, argv, 2, filter)) return usage();
    if (command == "windows") return listWindows(filter);
    if (command == "processes") return listProcesses(filter.exe);
    if (command == "wait") return waitWindow(filter, false);
    if (command == "gone") return waitWindow(filter, true);
    if (command == "msgbox") return messageBox(filter, false);
    if (command == "press") return messageBox(filter, true);
    return usage();
}

namespace {

// Serve mode: one command per line on stdin, its words separated by tabs; after each
// command's output a line "\x1e" followed by its exit code. Saves a Wine start per call for
// scenarios that ask many questions.
int serve() {
    std::string line;
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> words = {"probe"};
        for (size_t start = 0;;) {
            size_t tab = line.find('\t', start);
            words.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        std::vector<char*> args;
        for (std::string& word : words)
            args.push_back(word.data());
        int code = command(static_cast<int>(args.size()), args.data());
        std::printf("\x1e%d\n", code);
        std::fflush(stdout);
        line.clear();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "serve") return serve();
    return command(argc, argv);
}
