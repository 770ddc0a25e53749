// Pumping messages through the toolkit's own loop (the application's message filter, and Tab,
// Enter and Escape through the dialog manager), as the forms see them when the program runs.
#pragma once
#include "WineTestSupport.h"
#include "toolkit/Application.h"

namespace testsupport {

inline bool HandleOneApplicationMessage() {
    return tk::Application.ProcessMessage();
}

inline bool PumpApplicationUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000) {
    return PumpUntil(done, timeoutMs, HandleOneApplicationMessage);
}

inline void PumpApplicationFor(DWORD ms) {
    PumpFor(ms, HandleOneApplicationMessage);
}

inline bool PumpApplicationUntilIdle() {
    return PumpUntilIdle(HandleOneApplicationMessage);
}

// Handles messages until one of `message` has been handled and the queue is empty: for a
// message that comes from outside the thread (input the window system sends on its own).
inline bool PumpApplicationPast(UINT message, DWORD timeoutMs) {
    bool seen = false;
    const auto handleOne = [&] {
        MSG next;
        if (PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE) && next.message == message) seen = true;
        return HandleOneApplicationMessage();
    };
    return PumpUntil([&] { return seen && QueueEmpty(); }, timeoutMs, handleOne);
}

} // namespace testsupport
