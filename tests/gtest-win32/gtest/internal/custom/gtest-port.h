// GoogleTest's customisation header, found before its own (empty) one in the Windows builds.
// The compiler's "win32" variant has no std::mutex or std::condition_variable, which
// GoogleTest's Notification is made of; it is used only to start threads of GoogleTest's own
// thread tests, which these tests never create, so a flag does.
#ifndef TAVRIN_GTEST_CUSTOM_PORT_H
#define TAVRIN_GTEST_CUSTOM_PORT_H

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {
class Notification {
  public:
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) {
        }
    }

  private:
    std::atomic<bool> notified_{false};
};
} // namespace testing::internal

#endif
