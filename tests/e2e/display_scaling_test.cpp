// Display scaling under Wine: the program in copies of the test prefix whose LogPixels is 120,
// 144 or 192 (Wine then reports that DPI for every window and monitor, as Windows does for a
// program aware of each monitor's DPI); and at 96 dpi the three windows exactly as they were
// drawn before scaling existed (reference/; VTL_E2E_RECORD_REFERENCE=1 records them anew).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "gen/frame_sheet.h"
#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/display.hpp"
#include "support/prefix_copy.hpp"
#include "support/user.hpp"
#include "support/wait.hpp"
#include "tray.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

class DisplayScaling : public testing::TestWithParam<int> {};

TEST_P(DisplayScaling, LayoutFrameAndPickAreThoseOfTheScale) {
    const int dpi = GetParam();
    PrivateDisplay xvfb("2000x1400x24"); // room for the window at 200 %
    const std::string logPixels = "\\LogPixels=REG_DWORD:" + std::to_string(dpi);
    PrefixCopy prefix("dpi" + std::to_string(dpi), {"HKCU\\Control Panel\\Desktop" + logPixels,
                                                    "HKCU\\Software\\Wine\\Fonts" + logPixels});
    // Every pixel tells its own place, so a pick a pixel off reads another colour.
    const Point origin{1300, 200}, target{1625, 400};
    auto paint = [](int x, int y) {
        return Rgb{std::uint8_t(x), std::uint8_t(y), std::uint8_t(x / 256 * 16 + y / 256 + 1)};
    };
    ShownPicture picture(origin, 650, 400, paint);
    VantrelSession vantrel;
    Probe& probe = vantrel.probe();
    const Rect client = probe.clientRect(vantrel.window());
    const int width = client.right - client.left, height = client.bottom - client.top;
    ASSERT_EQ(width, Scaled(261, dpi));
    ASSERT_EQ(height, Scaled(664, dpi));

    // The frame is the artwork drawn for this scale, pixel for pixel (nothing stretched or
    // blended): the title's ends, the borders and the bottom, where the frame copies them from.
    const vtl::art::Image sheet = vtl::art::frameSheet(vtl::art::skinPalette('B'), dpi);
    const vtl::layout::FrameSheet g = vtl::layout::FrameSheetAt(dpi);
    std::string firstWrong; // once the window has painted
    auto frameAsDrawn = [&] {
        const Screenshot shot = Screen().capture();
        firstWrong.clear();
        auto same = [&](int x, int y, int sx, int sy) {
            const vtl::art::Rgb c = sheet.rgb(sx, sy);
            if (c == vtl::art::kMagenta || // cut out of the window
                shot.pixel(client.left + x, client.top + y) == Rgb{c.r, c.g, c.b})
                return true;
            firstWrong = std::to_string(x) + "," + std::to_string(y) + " (sheet " +
                         std::to_string(sx) + "," + std::to_string(sy) + ")";
            return false;
        };
        for (int y = 0; y < g.band; ++y)
            for (int x = 0; x < Scaled(11, dpi); ++x)
                if (!same(x, y, x, y) || !same(width - 1 - x, y, g.width - 1 - x, y)) return false;
        for (int x = 0; x < g.border; ++x) // the left border, down to its bottom corner
            for (int y = g.band; y < height; ++y)
                if (!same(x, y, x, y < height - g.border ? g.sideRowY : g.height - (height - y)))
                    return false;
        return true;
    };
    EXPECT_TRUE(waitUntil(frameAsDrawn, 5s)) << "window pixel " << firstWrong;

    // A drag with the real mouse picks the pointer's own pixel; the magnifier at zoom 1 shows
    // the screen around it pixel for pixel, the pointer's pixel at its centre.
    ASSERT_TRUE(vantrel.dragFrom("imgDrag", target, dpi)) << vantrel.text("StatusBar1");
    EXPECT_EQ(vantrel.text("edtHtml"), paint(target.x - origin.x, target.y - origin.y).hex());
    EXPECT_TRUE(vantrel.magnifierShows(
        target, [&](Point s) { return paint(s.x - origin.x, s.y - origin.y); }, dpi))
        << "the magnifier is not the screen around the pointer";
    Xdo().mouseUp(1);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScaling, testing::Values(120, 144, 192));

// The screen area as ImageMagick writes it: "ppm:-" answers the bytes, "png:<file>" writes.
std::string Grab(const Rect& r, const std::string& to) {
    const std::string crop = std::to_string(r.right - r.left) + "x" +
                             std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" +
                             std::to_string(r.top);
    return runCommand({"import", "-display", config::display(), "-window", "root", "-crop", crop,
                       "+repage", "-depth", "8", to},
                      30s)
        .out;
}

// The area shows the reference picture of that name (a caret may blink meanwhile).
testing::AssertionResult LooksAsBefore(const std::string& name, const Rect& area) {
    const std::string file = VTL_E2E_REFERENCE_DIR "/" + name + ".png";
    if (std::getenv("VTL_E2E_RECORD_REFERENCE")) { // once the area stays as it is
        waitUntil(
            [&] {
                const std::string before = Grab(area, "ppm:-");
                std::this_thread::sleep_for(500ms);
                return Grab(area, "ppm:-") == before;
            },
            10s);
        Grab(area, "png:" + file);
        return testing::AssertionSuccess();
    }
    const std::string want = runCommand({"convert", file, "-depth", "8", "ppm:-"}, 30s).out;
    if (waitUntil([&] { return Grab(area, "ppm:-") == want; }, 5s))
        return testing::AssertionSuccess();
    Grab(area, "png:" + config::artifactsDir() + "/" + name + ".png");
    return testing::AssertionFailure() << name << " differs from " << file << " (see artifacts)";
}

TEST(DisplayScaling, At96DpiMainWindowValuesAndAboutLookAsTheReferences) {
    VantrelSession vantrel;
    Probe& probe = vantrel.probe();
    Xdo xdo;
    xdo.mouseMove(0, 1000); // the pointer away from every window
    const Point swatch = vantrel.layoutRect("shpColor").center();
    ASSERT_TRUE(waitUntil(
        [&] {
            return Screen().capture().pixel(swatch) == Rgb{247, 213, 185};
        },
        5s));
    EXPECT_TRUE(LooksAsBefore("main_96", vantrel.windowRect()));

    // A saved colour and its Values dialog, opened and closed with the real mouse and keys.
    ASSERT_TRUE(vantrel.save());
    xdo.mouseMove(vantrel.savedItem(0));
    xdo.click(1, 2);
    const Hwnd values = probe.waitWindow("VtlWindow", "Values", 10s);
    ASSERT_NE(values, 0u);
    EXPECT_TRUE(LooksAsBefore("values_96", probe.clientRect(values)));
    xdo.key("alt+F4"); // the pointer rests on the main window: the dialog has the keys
    ASSERT_TRUE(probe.waitGone(values, 10s));

    // The About box from the tray icon's menu.
    Tray(vantrel).choose(TrayItem::About);
    const Hwnd about = probe.waitWindow("VtlWindow", "About", 10s);
    ASSERT_NE(about, 0u);
    const Rect box = probe.clientRect(about);
    EXPECT_TRUE(LooksAsBefore("about_96", box));
    xdo.mouseMove(box.left + 150, box.top + 90); // on the white panel: the box takes the keys
    xdo.key("Return");
    EXPECT_TRUE(probe.waitGone(about, 10s)) << "Enter did not close the About box";
}

} // namespace
