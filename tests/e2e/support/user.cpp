#include "support/user.hpp"

#include <algorithm>

#include "support/wait.hpp"
#include "support/xdo.hpp"

namespace vtl::e2e {

using namespace std::chrono_literals;

void clickButton(Probe& probe, Hwnd window, const std::string& button) {
    for (WindowInfo& c : probe.children(window)) {
        std::erase(c.text, '&');
        if (c.className == "Button" && c.text == button) {
            Xdo().mouseMove(c.rect.center());
            Xdo().click();
            return;
        }
    }
    throw Error("no button " + button);
}

bool answerBox(Probe& probe, const std::string& caption, const std::string& button) {
    const Hwnd box = probe.waitWindow("#32770", caption, 10s);
    if (!box) return false;
    clickButton(probe, box, button);
    return probe.waitGone(box, 10s);
}

bool waitKeys(Probe& probe, Hwnd window, Hwnd active, Hwnd focus) {
    return waitUntil(
        [&] {
            const GuiThreadInfo info = probe.guiInfo(window);
            return info.active == active && info.focus == focus;
        },
        5s);
}

} // namespace vtl::e2e
