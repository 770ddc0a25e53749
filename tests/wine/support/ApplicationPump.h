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

} // namespace testsupport
