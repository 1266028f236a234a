// What a user does and meets: a menu item and a box's button chosen with the real mouse, and
// where the keys of a program go.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/probe.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"

namespace vtl::e2e {

// The popup menu that shows up next; 0 when none does in time.
inline Hwnd waitMenu(Probe& probe) {
    return probe.waitWindow("#32768", "*", std::chrono::seconds(10));
}

// The items of a popup menu from top to bottom, separators included: the bands of rows of its
// drawing that differ from its background, a band's underline counted in. Under Wine another
// process cannot ask a menu for its layout (GetMenuItemRect); what the menu draws is where the
// mouse finds its items.
inline std::vector<Rect> menuItems(const Screenshot& shot, const Rect& menu) {
    const int left = menu.left + 3, right = menu.right - 3; // inside the border
    std::map<std::uint32_t, int> counts;
    auto at = [&](int x, int y) {
        const Rgb c = shot.pixel(x, y);
        return std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b;
    };
    for (int y = menu.top + 3; y < menu.bottom - 3; ++y)
        for (int x = left; x < right; ++x)
            ++counts[at(x, y)];
    if (counts.empty()) return {};
    const std::uint32_t background =
        std::ranges::max_element(counts, {}, [](const auto& c) { return c.second; })->first;
    std::vector<Rect> items;
    for (int y = menu.top + 3; y < menu.bottom - 3; ++y) {
        bool ink = false;
        for (int x = left; x < right && !ink; ++x)
            ink = at(x, y) != background;
        // A mnemonic's underline lies a row or two below its text; items lie farther apart.
        if (ink && (items.empty() || y - items.back().bottom > 2))
            items.push_back({left, y, right, y + 1});
        if (ink) items.back().bottom = y + 1;
    }
    return items;
}

// Waits for a popup menu and clicks with the real mouse the item at `position` (separators
// count; a negative position counts from the end); true once the menu has closed. `beforeClick`
// runs with the pointer on the item, just before the click.
inline bool chooseMenuItem(Probe& probe, int position,
                           const std::function<void()>& beforeClick = {}) {
    const Hwnd menu = waitMenu(probe);
    if (!menu) return false;
    const Rect r = probe.rect(menu);
    std::vector<Rect> items, before;
    waitUntil( // drawn: the same items twice
        [&] {
            before = std::exchange(items, menuItems(Screen().capture(), r));
            return !items.empty() && items == before;
        },
        std::chrono::seconds(5));
    const int n = static_cast<int>(items.size());
    if (position < 0) position += n;
    if (position < 0 || position >= n) return false;
    Xdo().mouseMove(items[static_cast<std::size_t>(position)].center());
    if (beforeClick) beforeClick();
    Xdo().click();
    return probe.waitHidden(menu);
}

// Waits for the box (or dialog) of this caption, clicks with the real mouse its button
// captioned `button` (without '&'), or presses Enter with the pointer over the box when `button`
// is empty, and waits until the box is gone. Returns the box's text, or nothing when the box or
// its button did not show up or the box stayed.
inline std::optional<std::string> answerBox(Probe& probe, const std::string& caption,
                                            const std::string& button) {
    const Hwnd box = probe.waitWindow("*", caption, std::chrono::seconds(10));
    if (!box) return std::nullopt;
    std::string text;
    std::optional<Point> target;
    for (WindowInfo& c : probe.children(box)) {
        if (c.className == "Static") text += c.text;
        if (std::erase(c.text, '&'); c.className == "Button" && c.text == button)
            target = c.rect.center();
    }
    if (button.empty()) {
        Xdo().mouseMove(probe.rect(box).center());
        Xdo().key("Return");
    } else if (target) {
        Xdo().mouseMove(*target);
        Xdo().click();
    } else {
        return std::nullopt;
    }
    if (!probe.waitGone(box)) return std::nullopt;
    return text;
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
