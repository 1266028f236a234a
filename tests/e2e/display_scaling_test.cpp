// Display scaling under Wine: the program in copies of the test prefix whose LogPixels is 120,
// 144 or 192 (Wine then reports that DPI for every window and monitor, as Windows does for a
// program aware of each monitor's DPI), and at 96 dpi the three windows exactly as they were
// drawn before scaling existed (the reference pictures in reference/).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <utility>

#include "gen/frame_sheet.h"
#include "layouts/MainLayout.h"
#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/display.hpp"
#include "support/prefix_copy.hpp"
#include "support/screen.hpp"
#include "support/user.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

int Scaled(int v, int dpi) {
    return (v * dpi + 48) / 96;
}

// A screen large enough for the main window at 200 %, and a prefix at the DPI.
class ScaledDesktop {
  public:
    explicit ScaledDesktop(int dpi)
        : xvfb_("2000x1400x24"),
          prefix_("dpi" + std::to_string(dpi), xvfb_.name(),
                  {{"HKCU\\Control Panel\\Desktop\\LogPixels", unsigned(dpi)},
                   {"HKCU\\Software\\Wine\\Fonts\\LogPixels", unsigned(dpi)}}) {}

  private:
    PrivateDisplay xvfb_;
    PrefixCopy prefix_;
};

class DisplayScaling : public testing::TestWithParam<int> {};

TEST_P(DisplayScaling, LayoutFrameAndPickAreThoseOfTheScale) {
    const int dpi = GetParam();
    ScaledDesktop desktop(dpi);
    // Every pixel tells its own place, so a pick a pixel off reads another colour.
    const Point origin{1300, 200};
    auto paint = [](int x, int y) {
        return Rgb{std::uint8_t(x), std::uint8_t(y), std::uint8_t(x / 256 * 16 + y / 256 + 1)};
    };
    ShownPicture picture(origin, 650, 400, paint);
    VantrelSession vantrel;
    Probe& probe = vantrel.probe();
    const Rect client = probe.clientRect(vantrel.window());
    ASSERT_EQ(client.right - client.left, Scaled(vtl::layout::kMainClientWidth, dpi));
    ASSERT_EQ(client.bottom - client.top, Scaled(vtl::layout::kMainClientHeight, dpi));

    // The windowed controls where the table puts them, scaled by their edges; a spin box's
    // arrows take the right end of its width.
    for (const vtl::layout::Item& row : vtl::layout::kMainLayout) {
        using vtl::layout::Kind;
        if (std::string(row.parent) != "Panel5" || row.kind == Kind::Label ||
            row.kind == Kind::Panel || row.kind == Kind::Bevel)
            continue;
        Rect want = vantrel.layoutRect(row.name, dpi);
        if (row.kind == Kind::SpinEdit) want.right -= Scaled(16, dpi);
        EXPECT_EQ(probe.rect(vantrel.control(row.name)), want) << row.name;
    }

    // The frame is the artwork drawn for this scale, pixel for pixel: the title's ends, the
    // borders and the bottom, each where the frame copies it from the sheet.
    const vtl::art::Image sheet = vtl::art::frameSheet(vtl::art::skinPalette('B'), dpi);
    const vtl::art::SheetGeometry g = vtl::art::sheetGeometry(dpi);
    const int width = client.right - client.left, height = client.bottom - client.top;
    const Screenshot shot = Screen().capture();
    auto expectSheet = [&](int x, int y, int sx, int sy) {
        const vtl::art::Rgb c = sheet.rgb(sx, sy);
        if (c == vtl::art::kMagenta) return; // cut out of the window
        ASSERT_EQ(shot.pixel(client.left + x, client.top + y), (Rgb{c.r, c.g, c.b}))
            << "window pixel " << x << "," << y << " against sheet " << sx << "," << sy;
    };
    for (int y = 0; y < g.band; ++y)
        for (int x = 0; x < Scaled(11, dpi); ++x) {
            expectSheet(x, y, x, y);
            expectSheet(width - 1 - x, y, g.width - 1 - x, y);
        }
    for (int x = 0; x < g.border; ++x)
        for (int y = g.band; y < height; y += 7) {
            const bool bottom = y >= height - g.border;
            const int sy = bottom ? g.height - (height - y) : g.sideRowY;
            expectSheet(x, y, x, sy);
            expectSheet(width - 1 - x, y,
                        bottom ? g.bottomRightX + g.border - 1 - x : g.width - 1 - x, sy);
            if (bottom) expectSheet(width / 2, y, g.border, sy);
        }

    // A drag with the real mouse picks the pointer's own pixel; the magnifier at zoom 1 shows
    // the screen around it pixel for pixel, the pointer's pixel at its centre.
    Xdo xdo;
    const Point from = vantrel.layoutRect("imgDrag", dpi).center(), target{1625, 400};
    xdo.mouseMove(from);
    xdo.mouseDown(1);
    for (int i = 1; i <= 6; ++i)
        xdo.mouseMove(from.x + (target.x - from.x) * i / 6, from.y + (target.y - from.y) * i / 6);
    const std::string position = "X:" + std::to_string(target.x) + " Y:" + std::to_string(target.y);
    ASSERT_TRUE(waitUntil([&] { return vantrel.text("StatusBar1") == position; }, 5s))
        << vantrel.text("StatusBar1");
    EXPECT_EQ(vantrel.text("edtHtml"), HtmlOf(paint(target.x - origin.x, target.y - origin.y)));
    const Rect zoom = vantrel.layoutRect("imgZoom", dpi);
    const int zw = zoom.right - zoom.left, zh = zoom.bottom - zoom.top;
    auto screenAt = [&](int mx, int my) {
        return paint(target.x - zw / 2 + mx - origin.x, target.y - zh / 2 + my - origin.y);
    };
    Screenshot magnified = shot;
    EXPECT_TRUE(waitUntil(
        [&] {
            magnified = Screen().capture();
            return magnified.pixel(zoom.left + zw / 2, zoom.top + zh / 2) ==
                   screenAt(zw / 2, zh / 2);
        },
        5s));
    for (int my = 0; my < zh; my += 3)
        for (int mx = 0; mx < zw; mx += 2)
            ASSERT_EQ(magnified.pixel(zoom.left + mx, zoom.top + my), screenAt(mx, my))
                << mx << "," << my;
    xdo.mouseUp(1);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScaling, testing::Values(120, 144, 192));

// The pictures the windows must show at 96 dpi, one per window, in reference/. With
// VTL_E2E_RECORD_REFERENCE set, the test writes them instead (from a build known to be right).
class ReferencePictures {
  public:
    ReferencePictures() : record_(std::getenv("VTL_E2E_RECORD_REFERENCE") != nullptr) {}
    // Waits until the screen area shows the reference (a caret may blink meanwhile).
    ::testing::AssertionResult matches(const std::string& name, const Rect& area) {
        const std::filesystem::path file = kDir / (name + ".png");
        if (record_) { // once the area has stopped changing
            Screenshot shot = crop(Screen().capture(), area), last = shot;
            waitUntil(
                [&] {
                    std::this_thread::sleep_for(500ms);
                    last = std::exchange(shot, crop(Screen().capture(), area));
                    return compare(shot, last).empty();
                },
                10s);
            shot.savePng(file.string());
            return ::testing::AssertionSuccess();
        }
        const CommandResult png = runCommand({"convert", file.string(), "ppm:-"}, 30s);
        if (png.exitCode != 0) return ::testing::AssertionFailure() << "cannot read " << file;
        const Screenshot want = Screenshot::fromPpm(png.out);
        std::string difference;
        if (waitUntil(
                [&] {
                    return (difference = compare(crop(Screen().capture(), area), want)).empty();
                },
                5s))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << name << ": " << difference;
    }

  private:
    static Screenshot crop(const Screenshot& shot, const Rect& r) {
        std::string ppm = "P6\n" + std::to_string(r.right - r.left) + " " +
                          std::to_string(r.bottom - r.top) + "\n255\n";
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const Rgb c = shot.pixel(x, y);
                ppm += {char(c.r), char(c.g), char(c.b)};
            }
        return Screenshot::fromPpm(ppm);
    }
    static std::string compare(const Screenshot& got, const Screenshot& want) {
        if (got.width() != want.width() || got.height() != want.height())
            return "size " + std::to_string(got.width()) + "x" + std::to_string(got.height());
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x)
                if (got.pixel(x, y) != want.pixel(x, y))
                    return "first difference at " + std::to_string(x) + "," + std::to_string(y);
        return {};
    }
    inline static const std::filesystem::path kDir =
        std::filesystem::path(__FILE__).parent_path() / "reference";
    bool record_;
};

TEST(DisplayScaling, At96DpiMainWindowValuesAndAboutLookAsTheReferences) {
    VantrelSession vantrel;
    Probe& probe = vantrel.probe();
    ReferencePictures reference;
    Xdo xdo;
    xdo.mouseMove(0, 1000); // the pointer away from every window
    const Point swatch = vantrel.layoutRect("shpColor").center();
    ASSERT_TRUE(waitUntil(
        [&] {
            return Screen().capture().pixel(swatch) == Rgb{247, 213, 185};
        },
        5s));
    EXPECT_TRUE(reference.matches("main_96", vantrel.windowRect()));

    // A saved colour and its Values dialog, opened and closed with the real mouse and keys.
    xdo.mouseMove(vantrel.layoutRect("btnHtmlCopy").center());
    xdo.click();
    ASSERT_TRUE(chooseMenuItem(probe, -1)); // "Save"
    const Rect list = vantrel.layoutRect("ListView1");
    xdo.mouseMove(list.left + 60, list.top + 28); // the first entry
    xdo.click(1, 2);
    const Hwnd values = probe.waitWindow("VtlWindow", "Values", 10s);
    ASSERT_NE(values, 0u);
    EXPECT_TRUE(reference.matches("values_96", probe.clientRect(values)));
    xdo.key("alt+F4"); // the pointer rests on the main window: the dialog has the keys
    ASSERT_TRUE(probe.waitGone(values, 10s));

    // The About box from the tray icon's menu.
    const Hwnd tray = probe.waitWindow("__winex11_standalone_tray", "Wine System Tray", 10s);
    ASSERT_NE(tray, 0u);
    const Rect t = probe.rect(tray);
    xdo.mouseMove(t.left + 13, t.top + 32);
    xdo.click(3);
    ASSERT_TRUE(chooseMenuItem(probe, 4)); // "About..."
    const Hwnd about = probe.waitWindow("VtlWindow", "About", 10s);
    ASSERT_NE(about, 0u);
    EXPECT_TRUE(reference.matches("about_96", probe.clientRect(about)));
    const Rect client = probe.clientRect(about);
    xdo.mouseMove(client.left + 150, client.top + 90); // on the white panel: the box takes the keys
    xdo.key("Return");
    EXPECT_TRUE(probe.waitGone(about, 10s)) << "Enter did not close the About box";
}

} // namespace
