#include "shell/TrayClickGuard.h"

#include <gtest/gtest.h>

using vtl::TTrayClickGuard;

namespace {
constexpr std::uint32_t kDoubleClick = 500; // window: 555 ms
}

TEST(TrayClickGuard, SecondHalfOfADoubleClickIsSwallowedLaterClicksCount) {
    TTrayClickGuard guard;
    EXPECT_TRUE(guard.Accept(1000, kDoubleClick));
    EXPECT_FALSE(guard.Accept(1300, kDoubleClick));
    EXPECT_FALSE(guard.Accept(1554, kDoubleClick)); // the swallowed click does not extend it
    EXPECT_TRUE(guard.Accept(1555, kDoubleClick));
}

TEST(TrayClickGuard, HoldsAcrossTheCounterWrapAndNeverLocksClicksOut) {
    TTrayClickGuard guard;
    EXPECT_TRUE(guard.Accept(0xFFFFFF00u, kDoubleClick));
    guard.Tick(0x10); // wrapped, 272 ms later
    EXPECT_FALSE(guard.Accept(0x20, kDoubleClick));
    EXPECT_TRUE(guard.Accept(0x300, kDoubleClick));

    // A guard started near the top of the counter, then a whole wrap of other messages: the
    // next click is not taken for the second half of that old double click.
    TTrayClickGuard idle;
    EXPECT_TRUE(idle.Accept(0xFFFFFFF0u, kDoubleClick));
    idle.Tick(0x7FFFFFFF);
    EXPECT_TRUE(idle.Accept(0xFFFFFFF5u, kDoubleClick));
}
