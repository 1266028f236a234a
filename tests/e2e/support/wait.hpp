// Polling for a condition that the program under test reaches asynchronously (paint, messages).
#pragma once

#include <chrono>
#include <thread>

namespace vtl::e2e {

// Calls `condition` until it returns true or the timeout passes; returns its last result.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
}

} // namespace vtl::e2e
