// Picking on a desktop of two monitors, the second left of the primary one, so that its
// coordinates are negative: one Xvfb screen split into two RandR monitors, which Wine reads
// through Xinerama. Wine runs here on its own server and on a copy of the test prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/display.hpp"
#include "support/prefix_copy.hpp"
#include "support/process.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// Monitors in Windows coordinates: the primary (0, 0)-(1024, 768), the other
// (-640, 0)-(0, 480). Below the left one lies a part of the X screen that is on no monitor.
constexpr int kLeftWidth = 640, kLeftHeight = 480, kPrimaryWidth = 1024, kPrimaryHeight = 768;

bool OnAMonitor(Point p) {
    return (p.x >= -kLeftWidth && p.x < 0 && p.y >= 0 && p.y < kLeftHeight) ||
           (p.x >= 0 && p.x < kPrimaryWidth && p.y >= 0 && p.y < kPrimaryHeight);
}

// The X screen's position of a point of Windows' virtual screen.
Point X11(Point p) {
    return {p.x + kLeftWidth, p.y};
}

// Runs a command to its end on the given display and prefix; true when it succeeded.
bool Run(std::vector<std::string> argv, const std::string& display, const std::string& prefix) {
    SpawnOptions o;
    o.argv = std::move(argv);
    o.env = environmentWith({{"DISPLAY", display}, {"WINEPREFIX", prefix}});
    return runCommand(std::move(o), 60s).exitCode == 0;
}

// Points DISPLAY and the test prefix at the two-monitor desktop while it exists.
class TwoMonitorDesktop {
  public:
    TwoMonitorDesktop()
        : xvfb_("1664x768x24"), display_(xvfb_.name()), prefix_("two-monitors", display_) {
        // Wine makes the first monitor the primary one.
        if (!Run({"xrandr", "--setmonitor", "right", "1024/260x768/195+640+0", "none"}, display_,
                 "") ||
            !Run({"xrandr", "--setmonitor", "left", "640/163x480/122+0+0", "screen"}, display_, ""))
            throw std::runtime_error("no X display of two monitors");
        // Monitors from Xinerama, which reads RandR's monitors, not from RandR's one output.
        if (!prefix_.run({"wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v",
                          "UseXRandR", "/d", "N", "/f"}))
            throw std::runtime_error("cannot set up the prefix copy " + config::winePrefix());
        setenv("DISPLAY", display_.c_str(), 1);
    }
    ~TwoMonitorDesktop() { setenv("DISPLAY", oldDisplay_.c_str(), 1); }
    TwoMonitorDesktop(const TwoMonitorDesktop&) = delete;
    TwoMonitorDesktop& operator=(const TwoMonitorDesktop&) = delete;

  private:
    std::string oldDisplay_ = config::display();
    PrivateDisplay xvfb_;
    std::string display_;
    PrefixCopy prefix_;
};

TEST(TwoMonitors, PickLeftOfThePrimaryMonitorShowsNegativeCoordinatesAndOnlyOffMonitorBlack) {
    TwoMonitorDesktop desktop;
    // Over the left monitor, the primary one and the part below the left one that is on
    // neither; nothing of it is black.
    const Point origin{-200, 380};
    auto paint = [](int x, int y) {
        return Rgb{std::uint8_t(x), std::uint8_t(40 + y), std::uint8_t(x / 2 + y)};
    };
    ShownPicture picture(X11(origin), 400, 220, paint);
    VantrelSession vantrel;
    Xdo xdo;
    Screen screen;

    const Point from = X11(vantrel.layoutRect("imgDrag").center()), target{-5, 470};
    xdo.mouseMove(from);
    xdo.mouseDown(1);
    const Point to = X11(target);
    for (int i = 1; i <= 6; ++i)
        xdo.mouseMove(from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6);
    ASSERT_TRUE(waitUntil([&] { return vantrel.text("StatusBar1") == "X:-5 Y:470"; }, 5s))
        << vantrel.text("StatusBar1");
    EXPECT_EQ(vantrel.text("edtHtml"), HtmlOf(paint(target.x - origin.x, target.y - origin.y)));

    // The magnifier at zoom 1: the screen around the pointer, black only off every monitor.
    const Rect zoom = vantrel.layoutRect("imgZoom");
    const Point m = X11({zoom.left, zoom.top});
    const Point grab{target.x - 115, target.y - 48};
    auto expected = [&](int mx, int my) {
        const Point s{grab.x + mx, grab.y + my};
        return OnAMonitor(s) ? paint(s.x - origin.x, s.y - origin.y) : Rgb{0, 0, 0};
    };
    Screenshot shot = screen.capture();
    ASSERT_TRUE(waitUntil(
        [&] {
            shot = screen.capture();
            return shot.pixel(m.x + 115, m.y + 48) == expected(115, 48) &&
                   shot.pixel(m.x + 5, m.y + 90) == Rgb{0, 0, 0}; // off every monitor
        },
        5s));
    for (int my = 0; my < 96; my += 2)
        for (int mx = 0; mx < 231; mx += 3)
            ASSERT_EQ(shot.pixel(m.x + mx, m.y + my), expected(mx, my)) << mx << "," << my;
    xdo.mouseUp(1);
}

} // namespace
