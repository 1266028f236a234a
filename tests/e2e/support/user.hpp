// What a user does and meets at the keyboard: a box answered with the real mouse on its
// button, and where the keys of a program go.
#pragma once

#include <string>

#include "support/probe.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"

namespace vtl::e2e {

// Waits for the box (or dialog) of this caption, clicks with the real mouse its button
// captioned `button` (without '&') and waits until the box is gone.
inline bool answerBox(Probe& probe, const std::string& caption, const std::string& button) {
    const Hwnd box = probe.waitWindow("*", caption, std::chrono::seconds(10));
    if (!box) return false;
    for (WindowInfo& c : probe.children(box))
        if (std::erase(c.text, '&'); c.className == "Button" && c.text == button) {
            Xdo().mouseMove(c.rect.center());
            Xdo().click();
            return probe.waitGone(box, std::chrono::seconds(10));
        }
    return false;
}

// Waits until the thread of `window` has `active` as its active window and `focus` focused.
inline bool waitKeys(Probe& probe, Hwnd window, Hwnd active, Hwnd focus) {
    return waitUntil(
        [&] {
            const GuiThreadInfo info = probe.guiInfo(window);
            return info.active == active && info.focus == focus;
        },
        std::chrono::seconds(5));
}

} // namespace vtl::e2e
