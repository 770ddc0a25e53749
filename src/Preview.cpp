#include "Preview.h"

#include <cstdint>
#include <limits>

#include "core/CommandLine.h"
#include "core/Random.h"
#include "core/Rounding.h"
#include "settings/Registry.h"
#include "settings/SettingsStore.h"
#include "settings/Win32RegistryBackend.h"
#include "toolkit/Application.h"

namespace {
constexpr char kPreviewClass[] = "TavrinPreview";
constexpr UINT_PTR kPaceTimer = 1;
constexpr UINT_PTR kCleaningTimer = 2;
// How often the preview looks at its host: a resize or the host's end is seen within this.
constexpr UINT kWatchInterval = 200;

void RegisterPreviewClass(WNDPROC procedure) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = tk::ModuleInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPreviewClass;
    RegisterClassA(&wc); // fails harmlessly when a preview before this one registered it
}
} // namespace

TPreview::TPreview(HWND host) : host_(host) {
    tavrin::Win32RegistryBackend backend;
    tavrin::TRegistry registry(backend);
    tavrin::LoadPreviewSettings(registry, tavrin::SharedRandom(), settings_);
    // Before the view shows, so the desktop is the one the user left.
    show_.KeepBackground({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    RECT client = {};
    if (!GetClientRect(host, &client)) return;
    MakeSurface(client.right, client.bottom);
    RegisterPreviewClass(WindowProc);
    window_.reset(CreateWindowExA(0, kPreviewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                  client.bottom, host, nullptr, tk::ModuleInstance(), this));
    if (!window_) return;
    if (const UINT pace = tavrin::PaceInterval(settings_.Speed))
        SetTimer(Handle(), kPaceTimer, pace, nullptr);
    if (const UINT cleaning = tavrin::CleaningInterval(settings_.CLS))
        SetTimer(Handle(), kCleaningTimer, cleaning, nullptr);
}

void TPreview::MakeSurface(int clientWidth, int clientHeight) {
    layout_ = tavrin::LayoutPreview(clientWidth, clientHeight);
    show_.MakeSurface(layout_.width, layout_.height);
    if (window_) InvalidateRect(Handle(), nullptr, FALSE);
}

void TPreview::Clean() {
    show_.Clean();
    InvalidateRect(Handle(), nullptr, FALSE);
}

// The saver's draw for a screen of the preview's size (with its 32-pixel stamps), drawn at the
// preview's picture size.
void TPreview::StampPicture() {
    const RECT area = show_.Stamp(show_.Surface(), layout_.width, layout_.height, layout_.pictureSize);
    InvalidateRect(Handle(), &area, FALSE);
}

bool TPreview::FollowHost() {
    if (!IsWindow(host_) || !IsWindow(Handle())) return false;
    RECT host = {}, view = {};
    GetClientRect(host_, &host);
    GetClientRect(Handle(), &view);
    if (host.right != view.right || host.bottom != view.bottom) {
        MoveWindow(Handle(), 0, 0, host.right, host.bottom, FALSE);
        MakeSurface(host.right, host.bottom);
    }
    return true;
}

LRESULT CALLBACK TPreview::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* preview = reinterpret_cast<TPreview*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    try {
        switch (message) {
        case WM_ERASEBKGND:
            return 1; // the paint covers every pixel
        case WM_PAINT: {
            if (!preview) break;
            tk::PaintScope paint(window);
            preview->show_.Paint(paint.get());
            return 0;
        }
        case WM_TIMER:
            if (preview && wParam == kPaceTimer) preview->StampPicture();
            if (preview && wParam == kCleaningTimer) preview->Clean();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
    } catch (const std::exception&) {
        // The boundary with the system. The preview opens no box: an error ends it, as the end
        // of its view does, and the little monitor shows its host's own background again.
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND PreviewHostFromCommandLine() {
    const std::uint64_t number =
        tavrin::PreviewHostNumber(GetCommandLineA(), std::numeric_limits<std::uintptr_t>::max());
    HWND host = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number));
    return number != 0 && IsWindow(host) ? host : nullptr;
}

int RunPreview(HWND host) {
    // A thread timer, not one of the view's: a view destroyed together with a host of another
    // process may never see a message of its own again.
    const UINT_PTR watch = SetTimer(nullptr, 0, kWatchInterval, nullptr);
    try {
        TPreview preview(host);
        MSG msg;
        while (preview.Handle() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == WM_TIMER && msg.wParam == watch) {
                if (!preview.FollowHost()) break;
                continue;
            }
            DispatchMessageA(&msg);
        }
    } catch (const std::exception&) {
        // As in the view's window procedure: no box, the preview ends (no memory for its pictures).
    }
    KillTimer(nullptr, watch);
    return 0;
}
