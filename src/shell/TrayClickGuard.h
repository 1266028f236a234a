// Decides which left clicks on the tray icon count: the second button-up of a double click
// arrives within the double-click time and must not toggle the window back. Portable: the
// tick counts and the double-click time come from the caller.
#pragma once

#include <cstdint>

namespace vtl {

class TTrayClickGuard {
  public:
    // Extra time after the double-click time, for a double click's second button-up that
    // arrives late on a busy system.
    static constexpr std::uint32_t kSlackMs = 55;

    // Called for every message: a guard whose time is over is dropped, so that a click long
    // after it (even a multiple of the counter's 49.7-day wrap later) is never swallowed.
    void Tick(std::uint32_t now);
    // A left click at `now`: true when it counts, and then the guard time starts.
    bool Accept(std::uint32_t now, std::uint32_t doubleClickTime);

  private:
    // Time of the last click that counted. Compared by elapsed time (unsigned difference),
    // so a guard that started just before the wrap still holds just after it, and a guard
    // end beyond the wrap can never lock clicks out for days.
    std::uint32_t lastAccepted_ = 0;
    bool guarding_ = false;
    std::uint32_t window_ = 0;
};

} // namespace vtl
