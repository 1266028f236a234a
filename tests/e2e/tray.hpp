// The program's tray icon in Wine's own tray window, clicked with the real mouse, and the
// visibility it switches.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "support/user.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

namespace vtl::e2e {

// Positions of the tray menu's items, separators counted.
enum class TrayItem { Show = 0, ContactUs = 2, VisitWebsite = 3, About = 4, Exit = 6 };

class Tray {
    static constexpr std::uint32_t kWsMinimize = 0x20000000, kWsExToolWindow = 0x80;

  public:
    explicit Tray(VantrelSession& vantrel) : vantrel_(vantrel), probe_(vantrel.probe()) {
        app_ = probe_.owner(vantrel.window());
        icon_ = waitIcon();
    }
    Hwnd app() const { return app_; }
    Hwnd iconWindow() {
        for (const WindowInfo& w : probe_.topLevelWindows(probe_.pid(vantrel_.window())))
            if (w.className == "VtlHiddenWindow") return w.hwnd;
        return 0;
    }
    // Wine's tray window exists while it holds at least one icon.
    Point waitIcon() {
        const Hwnd tray = probe_.waitWindow("__winex11_standalone_tray", "Wine System Tray",
                                            std::chrono::seconds(10));
        if (!tray) throw std::runtime_error("no tray window");
        const Rect r = probe_.rect(tray);
        return icon_ = {r.left + 13, r.top + 32};
    }
    void click(int button = 1, int repeat = 1) {
        xdo_.mouseMove(icon_);
        xdo_.click(button, repeat);
    }
    bool shown() { return probe_.visible(vantrel_.window()); }
    // Shown in its normal state with the taskbar button, or hidden without it.
    bool waitShown(bool shown) {
        return waitUntil(
            [&] {
                return probe_.visible(vantrel_.window()) == shown &&
                       probe_.visible(app_) == shown &&
                       bool(probe_.exStyle(app_) & kWsExToolWindow) == !shown &&
                       (!shown || !(probe_.style(app_) & kWsMinimize));
            },
            std::chrono::seconds(10));
    }
    bool minimized() { return probe_.style(app_) & kWsMinimize; }
    void clickMinimizeButton() {
        const Rect w = probe_.rect(vantrel_.window());
        xdo_.mouseMove({w.left + 223, w.top + 17});
        xdo_.click(1);
    }
    Hwnd openMenu() {
        click(3);
        return waitMenu(probe_);
    }
    void choose(TrayItem item) {
        click(3);
        EXPECT_TRUE(chooseMenuItem(probe_, int(item))) << "the tray menu did not open or close";
    }

  private:
    VantrelSession& vantrel_;
    Probe& probe_;
    Xdo xdo_;
    Hwnd app_ = 0;
    Point icon_;
};

} // namespace vtl::e2e
