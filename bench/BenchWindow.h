// Shared by the bench programs: a top-most full-screen window of their own, a clock, and
// draining the message queue.
#pragma once
#include <windows.h>

#include <cstdint>

namespace bench {

// A black top-most popup covering the screen, shown; destroyed with the object.
class FullScreenWindow {
  public:
    explicit FullScreenWindow(WNDPROC procedure = DefWindowProcA);
    ~FullScreenWindow() {
        if (window_) DestroyWindow(window_);
    }
    FullScreenWindow(const FullScreenWindow&) = delete;
    FullScreenWindow& operator=(const FullScreenWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// A device context of a window, released with the object.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Seconds from the performance counter.
double Now();

// Handles what is queued for `milliseconds` (window shown, activated, painted) without any
// application-wide filter in the way.
void Settle(DWORD milliseconds);

// A small linear congruential generator: the floor programs need cheap positions, not good ones.
class Lcg {
  public:
    std::uint32_t Next(std::uint32_t below) {
        state_ = state_ * 1664525u + 1013904223u;
        return below ? (state_ >> 8) % below : 0;
    }

  private:
    std::uint32_t state_ = 12345;
};

} // namespace bench
