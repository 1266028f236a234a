// GoogleTest's Notification builds on std::mutex, which the win32 threads model of GCC 12 lacks;
// only GoogleTest's own thread helpers use it, and our tests do not. Included ahead of every
// file that includes GoogleTest (GTEST_HAS_NOTIFICATION_ says it is there).
#pragma once

#include <atomic>

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
