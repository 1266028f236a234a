// GoogleTest's Notification needs std::mutex, which GCC 12's win32 threads model lacks; only
// GoogleTest's own thread helpers use it, never our tests. Included ahead of every file that
// includes GoogleTest (GTEST_HAS_NOTIFICATION_ says it is there).
#pragma once
#include <atomic>

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
