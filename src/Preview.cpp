#include "Preview.h"

#include <cstdint>
#include <limits>

#include "core/CommandLine.h"
#include "core/PictureTick.h"
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

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

void RegisterPreviewClass(WNDPROC procedure) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = tk::ModuleInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPreviewClass;
    RegisterClassA(&wc); // fails harmlessly when a preview before this one registered it
}
} // namespace

// A bitmap selected into a memory device context for as long as both live.
class MemoryPicture {
  public:
    MemoryPicture(int width, int height) : width_(width), height_(height) {
        tk::WindowDc screen(nullptr);
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~MemoryPicture() {
        if (previous_) SelectObject(dc_.get(), previous_);
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;
    HDC dc() const { return previous_ ? dc_.get() : nullptr; }
    // The size it was made at: the screen's size may read otherwise later (a host of another
    // display scaling awareness).
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_, height_;
    tk::UniqueMemoryDc dc_;
    tk::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

TPreview::TPreview(HWND host) : host_(host) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    tavrin::SharedRandom().Seed(
        tavrin::MillisecondsSinceMidnight(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds));
    tavrin::Win32RegistryBackend backend;
    tavrin::TRegistry registry(backend);
    tavrin::LoadPreviewSettings(registry, tavrin::SharedRandom(), settings_);
    // Captured before the view shows, so the desktop is the one the user left.
    if (settings_.Background == 1) {
        desktop_ = std::make_unique<MemoryPicture>(ScreenWidth(), ScreenHeight());
        tk::WindowDc screen(nullptr);
        BitBlt(desktop_->dc(), 0, 0, desktop_->width(), desktop_->height(), screen.get(), 0, 0, SRCCOPY);
    }
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

// Declared last, the view goes before the pictures it paints from.
TPreview::~TPreview() = default;

void TPreview::MakeSurface(int clientWidth, int clientHeight) {
    layout_ = tavrin::LayoutPreview(clientWidth, clientHeight);
    canvas_ = std::make_unique<MemoryPicture>(layout_.width, layout_.height);
    Clean();
}

void TPreview::Clean() {
    HDC canvas = canvas_->dc();
    // Pictures shrink colour-on-colour, which keeps their pixel art crisp; the default mode would
    // darken them. Where halftone is missing (Windows 95, 98 and ME) the desktop shrinks the same way.
    SetStretchBltMode(canvas, COLORONCOLOR);
    if (desktop_) {
        SetStretchBltMode(canvas, HALFTONE); // averages the screen's pixels into the small picture
        SetBrushOrgEx(canvas, 0, 0, nullptr);
        StretchBlt(canvas, 0, 0, layout_.width, layout_.height, desktop_->dc(), 0, 0, desktop_->width(),
                   desktop_->height(), SRCCOPY);
        SetStretchBltMode(canvas, COLORONCOLOR);
    } else {
        const RECT all = {0, 0, layout_.width, layout_.height};
        FillRect(canvas, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (window_) InvalidateRect(Handle(), nullptr, FALSE);
}

void TPreview::StampPicture() {
    const tavrin::Stamp stamp =
        tavrin::NextStamp(tavrin::SharedRandom(), layout_.width, layout_.height, settings_.ActivePictures,
                          settings_.ActiveCount, settings_.PictureSet);
    // Looked up by name at every tick, as the saver does; a number without a picture draws nothing.
    HICON icon = LoadIconA(tk::ModuleInstance(), tavrin::PictureResourceName(stamp.pictureNumber).c_str());
    if (!icon) return;
    const int size = layout_.pictureSize;
    DrawIconEx(canvas_->dc(), stamp.x, stamp.y, icon, size, size, 0, nullptr, DI_NORMAL);
    const RECT area = {stamp.x, stamp.y, stamp.x + size, stamp.y + size};
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

void TPreview::Paint() {
    tk::PaintScope paint(Handle());
    BitBlt(paint.get(), 0, 0, layout_.width, layout_.height, canvas_->dc(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK TPreview::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* preview = reinterpret_cast<TPreview*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        if (!preview) break;
        preview->Paint();
        return 0;
    case WM_TIMER:
        if (preview && wParam == kPaceTimer) preview->StampPicture();
        if (preview && wParam == kCleaningTimer) preview->Clean();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
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
    TPreview preview(host);
    if (!preview.Handle()) return 0;
    // A thread timer, not one of the view's: a view destroyed together with a host of another
    // process may never see a message of its own again.
    const UINT_PTR watch = SetTimer(nullptr, 0, kWatchInterval, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == nullptr && msg.message == WM_TIMER && msg.wParam == watch) {
            if (!preview.FollowHost()) break;
            continue;
        }
        DispatchMessageA(&msg);
    }
    KillTimer(nullptr, watch);
    return 0;
}
