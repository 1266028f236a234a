// Picking with a real mouse: xdotool drags from the "+" icons over a picture of known colours
// shown on the X screen; the program is read from outside (probe, screenshots, xclip).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "probe/fixture_layout.hpp"
#include "shown_picture.hpp"
#include "support/clipboard.hpp"
#include "support/config.hpp"
#include "support/files.hpp"
#include "support/holder.hpp"
#include "support/screen.hpp"
#include "support/user.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

constexpr unsigned kLbGetTopIndex = 0x018E, kLbGetItemHeight = 0x01A1;
const Rgb kLeft{0x12, 0x34, 0x56}, kRight{0xAB, 0xCD, 0xEF};
const char* const kHint = "To pick color, please drag \"+\" icon.";

// Left and right halves of single colours; the bottom rows a pattern where every pixel differs.
Rgb Paint(int x, int y) {
    if (y >= 100) return {std::uint8_t(x), std::uint8_t(y * 11), std::uint8_t(x * 3 + y)};
    return x < 120 ? kLeft : kRight;
}

class Picking : public ::testing::Test {
  protected:
    void SetUp() override {
        vantrel_.emplace();
        picture_.emplace(Point{40, 60}, 240, 130, Paint);
    }

    VantrelSession& app() { return *vantrel_; }
    const ShownPicture& picture() const { return *picture_; }

    bool WaitText(const char* control, const std::string& text) {
        return waitUntil([&] { return app().text(control) == text; }, 5s);
    }
    // The "+" icon shows its black cross-hair arm at (16, 5).
    bool IconShown(const Screenshot& shot, const char* icon) {
        const Rect r = app().layoutRect(icon);
        return shot.pixel(r.left + 16, r.top + 5) == Rgb{0, 0, 0};
    }
    // Drops the zoom list down with the real mouse and clicks the item (the list shows all 20).
    void ChooseZoom(int zoom) {
        Probe& probe = app().probe();
        xdo_.mouseMove(probe.rect(app().control("cboZoom")).center());
        xdo_.click(1);
        const Hwnd list = probe.waitWindow("ComboLBox", "*", 5s);
        ASSERT_NE(list, 0u) << "the zoom list did not drop down";
        const Rect r = probe.clientRect(list);
        const int height = int(probe.send(list, kLbGetItemHeight));
        const int row = zoom - 1 - int(probe.send(list, kLbGetTopIndex));
        ASSERT_TRUE(row >= 0 && (row + 1) * height <= r.height()) << "the item is not shown";
        xdo_.mouseMove(r.left + 10, r.top + row * height + height / 2);
        xdo_.click(1);
        ASSERT_TRUE(probe.waitHidden(list));
    }
    // Drags to the point and releases there, waiting until the pick has ended.
    void PickAt(Point p) {
        ASSERT_TRUE(app().dragFrom("imgDrag", p));
        xdo_.mouseUp(1);
        ASSERT_TRUE(WaitText("StatusBar1", kHint));
    }

    Xdo xdo_;
    Screen screen_;
    std::optional<VantrelSession> vantrel_;
    std::optional<ShownPicture> picture_;
};

TEST_F(Picking, DragFromEitherIconPicksThePixelUnderThePointer) {
    for (const char* icon : {"imgDrag", "imgDrag2"}) {
        SCOPED_TRACE(icon);
        const char* other = std::string(icon) == "imgDrag" ? "imgDrag2" : "imgDrag";
        const Point left = picture().screen(60, 50), right = picture().screen(180, 50);
        ASSERT_TRUE(app().dragFrom(icon, left));
        EXPECT_TRUE(WaitText("edtHtml", "#123456"));
        EXPECT_EQ(app().text("spiR"), "18");
        Screenshot shot = screen_.capture();
        EXPECT_FALSE(IconShown(shot, icon)) << "the pressed icon is picked up";
        EXPECT_TRUE(IconShown(shot, other));

        xdo_.mouseMove(right);
        EXPECT_TRUE(WaitText("edtHtml", "#ABCDEF"));
        EXPECT_EQ(app().text("edtRGB"), "171, 205, 239");
        xdo_.mouseUp(1);
        EXPECT_TRUE(WaitText("StatusBar1", kHint));
        EXPECT_TRUE(waitUntil(
            [&] {
                Screenshot s = screen_.capture();
                return IconShown(s, "imgDrag") && IconShown(s, "imgDrag2");
            },
            5s))
            << "both icons are back after the release";
    }
}

TEST_F(Picking, MagnifierAtZoomOneIsTheScreenAroundThePointer) {
    const Point p = picture().screen(100, 112);
    PickAt(p);
    EXPECT_TRUE(app().magnifierShows(p, [&](Point s) -> std::optional<Rgb> {
        const int x = s.x - picture().area().left, y = s.y - picture().area().top;
        if (x < 0 || x >= 240 || y < 0 || y >= 130) return std::nullopt;
        return picture().at(x, y);
    }));
}

TEST_F(Picking, OtherZoomsEnlargeTheLastGrabInBlocks) {
    PickAt(picture().screen(120, 50)); // the halves meet under the pointer
    ChooseZoom(3);                     // source (77, 32, 77, 32): exact 3 x 3 blocks
    const Rect m = app().layoutRect("imgZoom");
    const int boundary = (115 - 77) * 3;
    ASSERT_TRUE(waitUntil(
        [&] {
            Screenshot s = screen_.capture();
            return s.pixel(m.left + boundary, m.top + 40) == kRight &&
                   s.pixel(m.left + boundary - 1, m.top + 40) == kLeft &&
                   s.pixel(m.left + boundary - 3, m.top + 40) == kLeft &&
                   s.pixel(m.left + boundary + 2, m.top + 40) == kRight;
        },
        5s));
    EXPECT_EQ(app().text("edtHtml"), "#ABCDEF") << "choosing a zoom changes no colour";

    ChooseZoom(20); // source (110, 46, 11, 4): blocks 21 across
    ASSERT_TRUE(waitUntil(
        [&] {
            Screenshot s = screen_.capture();
            return s.pixel(m.left + 5 * 21, m.top + 40) == kRight &&
                   s.pixel(m.left + 5 * 21 - 1, m.top + 40) == kLeft;
        },
        5s));
}

TEST_F(Picking, RightAndMiddleButtonsOnAnIconDoNothing) {
    // The magnifier's placeholder as painted at start; a pick would replace it with a grab.
    const Point swatch = app().layoutRect("shpColor").center();
    ASSERT_TRUE(waitUntil(
        [&] {
            return screen_.capture().pixel(swatch) == Rgb{247, 213, 185};
        },
        5s));
    const Rect m = app().layoutRect("imgZoom");
    const Point spot{m.left + 100, m.top + 30};
    const std::string placeholder = screen_.capture().pixel(spot).hex();

    const Point icon = app().layoutRect("imgDrag").center();
    xdo_.mouseMove(icon);
    xdo_.click(3);
    xdo_.click(2);
    xdo_.mouseMove(picture().screen(60, 50));
    // A left click after them has to take effect; by then they have been handled too.
    xdo_.mouseMove(spot);
    xdo_.click(1);
    EXPECT_TRUE(WaitText("edtHtml", placeholder)) << "the magnifier still shows the placeholder";
    EXPECT_EQ(app().text("StatusBar1"), kHint);
    // A popup menu of the right button would be a top-level window now; none is.
    EXPECT_EQ(app().probe().findWindow("#32768", "*"), 0u);
}

TEST_F(Picking, ClickInTheMagnifierPicksTheColourShownThere) {
    PickAt(picture().screen(120, 50));
    const Rect m = app().layoutRect("imgZoom");
    xdo_.mouseMove(m.left + 100, m.top + 30);
    xdo_.click(1);
    EXPECT_TRUE(WaitText("edtHtml", "#123456"));
    xdo_.mouseMove(m.left + 130, m.top + 30);
    xdo_.click(3);
    EXPECT_TRUE(WaitText("edtHtml", "#ABCDEF")) << "any button picks";
    // The grab reaches past the screen's left edge, which is black there: no colour at all.
    PickAt(picture().screen(0, 50));
    xdo_.mouseMove(m.left + 10, m.top + 30);
    xdo_.run({"click", "1", "key", "ctrl+1"}); // the copy comes after the click
    EXPECT_TRUE(waitUntil([] { return Clipboard().text() == "18, 52, 86"; }, 5s));
}

std::string Status(Point p, const std::string& more = "") {
    return "X:" + std::to_string(p.x) + " Y:" + std::to_string(p.y) + more;
}

TEST_F(Picking, ArrowKeysDuringAPickMoveThePointerOnePixelOrTenWithShift) {
    ASSERT_TRUE(app().dragFrom("imgDrag", picture().screen(100, 115))); // every pixel differs
    const struct {
        const char* keys;
        int x, y;
    } steps[] = {{"Right", 101, 115},
                 {"shift+Up", 101, 105},
                 {"Left", 100, 105},
                 {"shift+Down", 100, 115},
                 {"Down", 100, 116}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        xdo_.run({"key", step.keys});
        const Point p = picture().screen(step.x, step.y);
        ASSERT_TRUE(WaitText("StatusBar1", Status(p))) << app().text("StatusBar1");
        EXPECT_EQ(app().text("edtHtml"), picture().at(step.x, step.y).hex());
        EXPECT_EQ(app().probe().cursor(), p);
    }
    // The magnifier follows too: at zoom 1 the pointer's pixel sits at (115, 48).
    const Rect m = app().layoutRect("imgZoom");
    EXPECT_TRUE(waitUntil(
        [&] {
            const Screenshot s = screen_.capture();
            return s.pixel(m.left + 115, m.top + 48) == picture().at(100, 116) &&
                   s.pixel(m.left + 116, m.top + 47) == picture().at(101, 115);
        },
        5s));
    // Wine moves the X pointer under a grab of its own and then lets go, which ends the X
    // server's grab of the held button: the release reaches Wine only over one of its windows.
    const Rect swatch = app().layoutRect("pnlColor");
    xdo_.mouseMove(swatch.center());
    ASSERT_TRUE(WaitText("StatusBar1", Status(swatch.center())));
    xdo_.mouseUp(1);
    EXPECT_TRUE(WaitText("StatusBar1", kHint));
}

TEST_F(Picking, EscapeEndsThePickWithTheColourAsItWasAndTheReleaseDoesNothing) {
    // Outside a pick the arrow keys step the focused spin box; S 192 is a value the colour
    // does not convert back to, so only an exact restore shows it again.
    const Rect s = app().layoutRect("spiS");
    xdo_.mouseMove(s.left + 8, s.top + s.height() / 2);
    xdo_.click(1);
    xdo_.run({"key", "Up"});
    ASSERT_TRUE(WaitText("spiS", "192"));
    ASSERT_TRUE(WaitText("edtHtml", "#F7D5B8"));
    const char* const views[] = {"spiR",      "spiG",   "spiB",       "spiH",   "spiS",
                                 "spiL",      "edtRGB", "edtDecimal", "edtHex", "edtHtml",
                                 "edtDelphi", "edtVB",  "edtC"};
    auto shown = [&] {
        std::vector<std::string> texts;
        for (const char* v : views)
            texts.push_back(app().text(v));
        return texts;
    };
    const auto before = shown();

    ASSERT_TRUE(app().dragFrom("imgDrag", picture().screen(60, 50)));
    ASSERT_TRUE(WaitText("edtHtml", "#123456"));
    xdo_.run({"key", "Escape"});
    ASSERT_TRUE(WaitText("StatusBar1", kHint));
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(waitUntil(
        [&] {
            const Screenshot shot = screen_.capture();
            return IconShown(shot, "imgDrag") && IconShown(shot, "imgDrag2");
        },
        5s));

    xdo_.mouseMove(picture().screen(180, 50));
    xdo_.mouseUp(1);
    // The key after the release reaches the spin box again, so the release has been handled.
    xdo_.run({"key", "Up"});
    ASSERT_TRUE(WaitText("spiS", "193"));
    EXPECT_EQ(app().text("spiH"), "18");
    EXPECT_EQ(app().text("spiL"), "203");
    EXPECT_EQ(app().text("StatusBar1"), kHint);
}

TEST_F(Picking, CtrlPFollowsThePointerWithoutAButtonUntilEnterEscOrAClickElsewhere) {
    app().pinKeys();
    const Point left = picture().screen(60, 50), right = picture().screen(180, 50);
    xdo_.mouseMove(left);
    xdo_.key("ctrl+p");
    ASSERT_TRUE(WaitText("edtHtml", "#123456"));
    xdo_.mouseMove(right);
    ASSERT_TRUE(WaitText("StatusBar1", Status(right, " (still)")));
    EXPECT_EQ(app().text("edtHtml"), "#ABCDEF");
    xdo_.key("ctrl+p"); // during a pick: nothing, the pick goes on as it began
    xdo_.key("shift+Left");
    ASSERT_TRUE(WaitText("StatusBar1", Status({right.x - 10, right.y}, " (still)")));
    xdo_.key("Escape");
    ASSERT_TRUE(WaitText("StatusBar1", kHint));
    EXPECT_EQ(app().text("edtHtml"), "#F7D5B9") << "not the colour from before the first Ctrl+P";

    xdo_.key("ctrl+p");
    xdo_.mouseMove(left);
    ASSERT_TRUE(WaitText("edtHtml", "#123456"));
    xdo_.key("Return");
    EXPECT_TRUE(WaitText("StatusBar1", kHint));
    EXPECT_EQ(app().text("edtHtml"), "#123456") << "Enter keeps the colour";

    PickAt(left); // a drag after them
    EXPECT_EQ(app().probe().accName(app().control("pnlColor")), "Current colour #123456");
    EXPECT_EQ(app().probe().accName(app().control("pnlDrag2")), "Pick colour (Ctrl+P)");

    WineApp other(config::fixtureExe(), {"--no-activate"});
    const Hwnd fixture = app().probe().waitWindow(vtl::fixture::kWindowClass, "*", 30s);
    ASSERT_NE(fixture, 0u);
    const Point red = app().probe().child(fixture, vtl::fixture::kRedId).rect.center();
    xdo_.mouseMove(red);
    ASSERT_TRUE(waitUntil([&] { return screen_.capture().pixel(red) == Rgb{255, 0, 0}; }, 10s));
    app().pinKeys();
    xdo_.key("ctrl+p");
    ASSERT_TRUE(WaitText("StatusBar1", Status(red, " (still)")));
    xdo_.click(1);
    EXPECT_TRUE(WaitText("StatusBar1", kHint)) << "another window took the keys";
    EXPECT_EQ(app().text("edtHtml"), "#FF0000");
}

// A one-pixel checkerboard over the screen's bottom-right corner, white where x + y is even.
TEST_F(Picking, DigitKeysPickTheMeanOfASquareAndOnlyItsPixelsOnTheScreenCount) {
    const Point corner{1279, 1023}, p{1180, 924};
    ShownPicture board({1080, 824}, 200, 200, [](int x, int y) {
        return (x + y) % 2 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    });
    app().pinKeys();
    ASSERT_TRUE(app().dragFrom("imgDrag", p));
    // The key, where the pointer goes, the status's end, the mean.
    const std::tuple<const char*, Point, const char*, const char*> steps[] = {
        {"3", p, " 3x3", "#8E8E8E"},      // 5 of 9 white
        {"KP_5", p, " 5x5", "#858585"},   // 13 of 25
        {"3", corner, " 3x3", "#808080"}, // 2 of 4: 127.5 rounds up
        {"1", corner, "", "#FFFFFF"},
        {"7", p, " 7x7", "#828282"}}; // 25 of 49
    for (const auto& [key, at, status, mean] : steps) {
        SCOPED_TRACE(status);
        xdo_.run({"key", key});
        xdo_.mouseMove(at);
        ASSERT_TRUE(WaitText("StatusBar1", Status(at, status))) << app().text("StatusBar1");
        EXPECT_TRUE(WaitText("edtHtml", mean)) << app().text("edtHtml");
    }
    // At zoom 1 the outline (black on a light mean) lies one pixel outside the square around
    // (115, 48), here over a white pixel of the board.
    const Rect m = app().layoutRect("imgZoom");
    EXPECT_TRUE(
        waitUntil([&] { return screen_.capture().pixel(m.left + 111, m.top + 46) == Rgb{}; }, 5s));
    EXPECT_EQ(screen_.capture().pixel(m.left + 112, m.top + 47), (Rgb{255, 255, 255}));
    xdo_.mouseUp(1);
    ASSERT_TRUE(WaitText("StatusBar1", kHint));
    xdo_.mouseMove(m.left + 111, m.top + 46);
    xdo_.click(1);
    EXPECT_TRUE(WaitText("edtHtml", "#FFFFFF")) << "the magnified pixel under the outline";
    EXPECT_NE(readFile(VantrelSession::dataFolder() / "vtl3.ini").find("average=7\r\n"),
              std::string::npos);
}

TEST(KeyboardPick, CtrlPWithTheValuesDialogOpenDoesNothing) {
    VantrelSession vantrel;
    Xdo xdo;
    ASSERT_TRUE(vantrel.save());
    xdo.mouseMove(vantrel.savedItem(0));
    xdo.click(1, 2);
    const Hwnd dialog = vantrel.probe().waitWindow("VtlWindow", "Values", 10s);
    ASSERT_NE(dialog, 0u);
    const Hwnd focus = vantrel.probe().guiInfo(dialog).focus;
    vantrel.pinKeys();
    xdo.key("ctrl+p");
    xdo.key("Tab"); // once it has moved the dialog's focus, Ctrl+P has been handled too
    EXPECT_TRUE(waitUntil([&] { return vantrel.probe().guiInfo(dialog).focus != focus; }, 5s));
    EXPECT_EQ(vantrel.text("StatusBar1"), kHint);
    EXPECT_EQ(vantrel.text("edtHtml"), "#F7D5B9");
}

TEST(Copying, HexAndHtmlNotationsReachTheClipboardAsText) {
    VantrelSession vantrel;
    Xdo xdo;
    Clipboard clipboard;
    xdo.mouseMove(vantrel.layoutRect("btnHexCopy").center());
    xdo.click(1);
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "F7D5B9"; }, 5s)) << clipboard.text();

    xdo.mouseMove(vantrel.layoutRect("btnHtmlCopy").center());
    xdo.click(1);
    ASSERT_NE(waitMenu(vantrel.probe()), 0u) << "the menu opens";
    xdo.key("Down");
    xdo.key("Return");
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "#F7D5B9"; }, 5s)) << clipboard.text();
}

} // namespace

namespace {

TEST(Copying, ClipboardHeldByAnotherProgramIsReportedAndTheProgramGoesOn) {
    VantrelSession vantrel;
    Xdo xdo;
    std::optional<Holder> holder;
    holder.emplace();
    xdo.mouseMove(vantrel.layoutRect("btnHexCopy").center());
    xdo.click(1);
    // The application-wide handler shows the message in a box of the program's own.
    Hwnd box = 0;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (const WindowInfo& w :
                 vantrel.probe().topLevelWindows(vantrel.probe().pid(vantrel.window())))
                if (w.className == "#32770" && w.visible) box = w.hwnd;
            return box != 0;
        },
        10s));
    bool saysWhy = false;
    for (const WindowInfo& c : vantrel.probe().children(box))
        saysWhy |= c.text == "Cannot open clipboard.";
    EXPECT_TRUE(saysWhy);
    EXPECT_EQ(vantrel.probe().text(box), "Vantrel");
    vantrel.probe().post(box, 0x0111 /*WM_COMMAND*/, 1 /*IDOK*/, 0);
    ASSERT_TRUE(vantrel.probe().waitGone(box, 5s));
    holder->release();

    // Free again, the same click copies.
    xdo.click(1);
    Clipboard clipboard;
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "F7D5B9"; }, 5s)) << clipboard.text();
}

} // namespace
