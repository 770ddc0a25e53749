// GoogleTest's customisation header, found before its own empty one in the Windows builds. The
// compiler's "win32" variant has no std::mutex, of which GoogleTest's Notification is made; it
// only starts the threads of GoogleTest's own thread tests, which these tests never create.
#pragma once
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {
struct Notification {
    void Notify() { notified = true; }
    void WaitForNotification() {
        while (!notified) {
        }
    }
    std::atomic<bool> notified{false};
};
} // namespace testing::internal
