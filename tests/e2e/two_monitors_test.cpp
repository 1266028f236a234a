// Picking on a desktop of two monitors, the second left of the primary one, so that its
// coordinates are negative: one Xvfb screen split into two RandR monitors, which Wine reads
// through Xinerama. Wine runs here on its own server and on a copy of the test prefix.
#include <gtest/gtest.h>

#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/display.hpp"
#include "support/prefix_copy.hpp"
#include "support/process.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

// Monitors in Windows coordinates: the primary (0, 0)-(1024, 768), the other
// (-640, 0)-(0, 480). Below the left one lies a part of the X screen that is on no monitor.
constexpr int kLeftWidth = 640, kLeftHeight = 480, kPrimaryWidth = 1024, kPrimaryHeight = 768;

bool OnAMonitor(Point p) {
    return (p.x >= -kLeftWidth && p.x < 0 && p.y >= 0 && p.y < kLeftHeight) ||
           (p.x >= 0 && p.x < kPrimaryWidth && p.y >= 0 && p.y < kPrimaryHeight);
}

// Windows' virtual screen begins this far into the X screen.
constexpr Point kXOrigin{kLeftWidth, 0};

TEST(TwoMonitors, PickLeftOfThePrimaryMonitorShowsNegativeCoordinatesAndOnlyOffMonitorBlack) {
    PrivateDisplay xvfb("1664x768x24");
    // Wine makes the first monitor the primary one, and reads the monitors through Xinerama
    // (RandR's monitors), not from RandR's one output.
    ASSERT_EQ(runCommand({"xrandr", "--setmonitor", "right", "1024/260x768/195+640+0", "none"}, 60s)
                  .exitCode,
              0);
    ASSERT_EQ(runCommand({"xrandr", "--setmonitor", "left", "640/163x480/122+0+0", "screen"}, 60s)
                  .exitCode,
              0);
    PrefixCopy prefix("two-monitors", {"HKCU\\Software\\Wine\\X11 Driver\\UseXRandR=REG_SZ:N"});
    // Over the left monitor, the primary one and the part below the left one that is on
    // neither; nothing of it is black.
    const Point origin{-200, 380}, target{-5, 470};
    auto paint = [](int x, int y) {
        return Rgb{std::uint8_t(x), std::uint8_t(40 + y), std::uint8_t(x / 2 + y)};
    };
    ShownPicture picture({origin.x + kXOrigin.x, origin.y}, 400, 220, paint);
    VantrelSession vantrel;
    ASSERT_TRUE(vantrel.dragFrom("imgDrag", target, 96, kXOrigin)) << vantrel.text("StatusBar1");
    EXPECT_EQ(vantrel.text("edtHtml"), paint(target.x - origin.x, target.y - origin.y).hex());

    // The magnifier at zoom 1: the screen around the pointer, black only off every monitor.
    EXPECT_TRUE(vantrel.magnifierShows(
        target,
        [&](Point s) {
            return OnAMonitor(s) ? paint(s.x - origin.x, s.y - origin.y) : Rgb{0, 0, 0};
        },
        96, kXOrigin));
    Xdo().mouseUp(1);
}

} // namespace
