#include "shell/TrayClickGuard.h"

namespace vtl {

void TTrayClickGuard::Tick(std::uint32_t now) {
    if (guarding_ && std::uint32_t(now - lastAccepted_) >= window_) guarding_ = false;
}

bool TTrayClickGuard::Accept(std::uint32_t now, std::uint32_t doubleClickTime) {
    Tick(now);
    if (guarding_ && std::uint32_t(now - lastAccepted_) < window_) return false;
    guarding_ = true;
    lastAccepted_ = now;
    window_ = doubleClickTime + kSlackMs;
    return true;
}

} // namespace vtl
