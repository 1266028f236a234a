// Picking on a desktop of two monitors, the second left of the primary one, so that its
// coordinates are negative: one Xvfb screen split into two RandR monitors, which Wine reads
// through Xinerama. Wine runs here on its own server and on a copy of the test prefix.
// So does reading in High Contrast Black colours with the theme off, as in High Contrast mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <string>

#include "color/Contrast.h"
#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/display.hpp"
#include "support/process.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using vtl::layout::Kind;

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

std::string SplitIntoTwoMonitors(const std::string& display) {
    // Wine makes the first monitor the primary one.
    if (!Run({"xrandr", "--setmonitor", "right", "1024/260x768/195+640+0", "none"}, display, "") ||
        !Run({"xrandr", "--setmonitor", "left", "640/163x480/122+0+0", "screen"}, display, ""))
        throw std::runtime_error("no X display of two monitors");
    return display;
}

// A copy of the test prefix changed by a command, for DISPLAY and the tests while it exists.
class PrefixCopy {
  public:
    PrefixCopy(std::string display, const std::string& name, std::vector<std::string> change)
        : display_(std::move(display)) {
        config::ensureWinePrefix();
        CopyPrefix(name, std::move(change));
        setenv("DISPLAY", display_.c_str(), 1);
        setenv("VTL_WINEPREFIX", prefix_.c_str(), 1);
    }
    ~PrefixCopy() {
        setenv("DISPLAY", oldDisplay_.c_str(), 1);
        setenv("VTL_WINEPREFIX", oldPrefix_.c_str(), 1);
        Run({"wineserver", "-k"}, display_, prefix_);
        std::error_code ignored;
        fs::remove_all(prefix_, ignored);
    }
    PrefixCopy(const PrefixCopy&) = delete;
    PrefixCopy& operator=(const PrefixCopy&) = delete;

  private:
    // The DLLs are never written: they are linked. The rest, the registry above all, is copied,
    // so that this prefix's server cannot write into the shared prefix's files.
    void CopyPrefix(const std::string& name, std::vector<std::string> change) {
        const fs::path from = config::winePrefix();
        prefix_ = from.string() + "-" + name;
        fs::remove_all(prefix_);
        fs::create_directories(prefix_);
        for (const auto& e : fs::recursive_directory_iterator(from)) {
            const fs::path rel = e.path().lexically_relative(from), to = fs::path(prefix_) / rel;
            if (e.is_symlink())
                fs::copy_symlink(e.path(), to);
            else if (e.is_directory())
                fs::create_directories(to);
            else if (rel == "wineserver" || !e.is_regular_file())
                continue; // the running server's own files
            else if (rel.string().rfind("drive_c/windows/system32/", 0) == 0)
                fs::create_hard_link(e.path(), to);
            else
                fs::copy_file(e.path(), to);
        }
        if (!Run(std::move(change), display_, prefix_) ||
            !Run({"wineserver", "-w"}, display_, prefix_))
            throw std::runtime_error("cannot set up the prefix copy " + prefix_);
    }

    std::string oldDisplay_ = config::display(), oldPrefix_ = config::winePrefix();
    std::string display_, prefix_;
};

// Monitors from Xinerama, which reads RandR's monitors, not from RandR's one output.
struct TwoMonitorDesktop {
    PrivateDisplay xvfb_{"1664x768x24"};
    PrefixCopy prefix_{SplitIntoTwoMonitors(xvfb_.name()),
                       "two-monitors",
                       {"wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "UseXRandR",
                        "/d", "N", "/f"}};
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

// The contrast of the lightest and the darkest pixel of an area: its text on its background.
double TextContrast(const Screenshot& shot, Rect r) {
    std::uint32_t lightest = 0, darkest = 0xFFFFFF;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t c = shot.pixel(x, y).colorRef();
            if (vtl::ContrastRatio(c, 0) > vtl::ContrastRatio(lightest, 0)) lightest = c;
            if (vtl::ContrastRatio(c, 0) < vtl::ContrastRatio(darkest, 0)) darkest = c;
        }
    return vtl::ContrastRatio(lightest, darkest);
}

TEST(HighContrast, EveryValueLabelAndIconReadsAndAPickWorks) {
    const std::string colors = "Z:" + config::scriptsDir() + "/high-contrast-black.reg";
    PrefixCopy prefix(config::display(), "high-contrast", {"wine", "regedit", "/S", colors});
    VantrelSession vantrel;
    std::vector<std::pair<const char*, Rect>> areas; // value fields, labels, "+" icons
    for (const auto& item : vtl::layout::kMainLayout) {
        const bool field = item.kind == Kind::Edit || item.kind == Kind::SpinEdit;
        const Rect r = field ? vantrel.probe().rect(vantrel.control(item.name))
                             : vantrel.layoutRect(item.name);
        if (field) areas.push_back({item.name, {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}});
        if (item.kind == Kind::Label)
            areas.push_back({item.name, {r.left, r.top, r.left + 12, r.top + 11}});
        if (std::string(item.picture) == "picker") areas.push_back({item.name, r});
    }
    Screenshot shot = Screen().capture();
    auto reads = [&](const auto& area) { return TextContrast(shot, area.second) >= 3; };
    // The window paints a moment after it shows.
    waitUntil(
        [&] {
            shot = Screen().capture();
            return std::all_of(areas.begin(), areas.end(), reads);
        },
        5s);
    for (const auto& area : areas)
        EXPECT_TRUE(reads(area)) << area.first << ": " << TextContrast(shot, area.second);
    ShownPicture picture({40, 500}, 60, 60, [](int, int) { return Rgb{0x12, 0xA4, 0x56}; });
    Xdo().drag(vantrel.layoutRect("imgDrag2").center(), picture.screen(30, 30));
    EXPECT_TRUE(waitUntil([&] { return vantrel.text("edtHtml") == "#12A456"; }, 5s));
}

} // namespace
