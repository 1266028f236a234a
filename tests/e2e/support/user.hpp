// What a user does and meets at the keyboard: a box's button pressed with the real mouse, and
// where the keys of a program go.
#pragma once

#include <string>

#include "support/probe.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"

namespace vtl::e2e {

// Clicks with the real mouse the button of `window` captioned `button` (without '&').
inline void clickButton(Probe& probe, Hwnd window, const std::string& button) {
    for (WindowInfo& c : probe.children(window))
        if (std::erase(c.text, '&'); c.className == "Button" && c.text == button)
            return Xdo().run({"mousemove", std::to_string(c.rect.center().x),
                              std::to_string(c.rect.center().y), "click", "1"});
    throw Error("no button " + button);
}

// Waits for the box (or dialog) of this caption, clicks its button and waits until it is gone.
inline bool answerBox(Probe& probe, const std::string& caption, const std::string& button) {
    const Hwnd box = probe.waitWindow("*", caption, std::chrono::seconds(10));
    if (box) clickButton(probe, box, button);
    return box && probe.waitGone(box, std::chrono::seconds(10));
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
