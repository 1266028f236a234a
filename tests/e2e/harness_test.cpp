// Tests of the end-to-end harness itself, against vtlfixture.exe whose window is fully known
// (probe/fixture_layout.hpp): the probe, screenshots, xdotool input, the clipboard and the
// process handling must all report what the fixture really does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "probe/fixture_layout.hpp"
#include "support/clipboard.hpp"
#include "support/config.hpp"
#include "support/files.hpp"
#include "support/probe.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/wine_app.hpp"
#include "support/xdo.hpp"

namespace fx = vtl::fixture;
using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

constexpr unsigned kWmClose = 0x0010;
constexpr unsigned kUdmSetPos32 = 0x0471;
const Rgb kRed{255, 0, 0};

bool covers(const std::vector<Rect>& rects, Point p) {
    for (const auto& r : rects) {
        if (r.contains(p)) return true;
    }
    return false;
}

class Harness : public ::testing::Test {
  protected:
    void SetUp() override {
        app_.emplace(config::fixtureExe());
        probe_.emplace();
        window_ = probe_->waitWindow(fx::kWindowClass, fx::kTitle, 20s);
        ASSERT_NE(window_, 0u) << "the fixture window did not show up";
    }

    Probe& probe() { return *probe_; }
    WineApp& app() { return *app_; }

    // Waits until the red area is on the X screen, i.e. the fixture has painted.
    Screenshot paintedShot(const Rect& red) {
        std::optional<Screenshot> shot;
        bool painted = waitUntil(
            [&] {
                shot = screen_.capture();
                return shot->pixel(red.center()) == kRed;
            },
            5s, 50ms);
        EXPECT_TRUE(painted) << "red area not on screen; centre shows "
                             << shot->pixel(red.center());
        return *shot;
    }

    std::optional<WineApp> app_;
    std::optional<Probe> probe_;
    Screen screen_;
    Hwnd window_ = 0;
};

} // namespace

TEST(ProbeTest, AnswersAndReportsErrorsWithoutLosingTheConnection) {
    Probe probe;
    EXPECT_EQ(probe.call("ping"), std::vector<std::string>{"pong"});
    EXPECT_THROW(probe.call("no-such-command"), ProbeError);
    EXPECT_THROW(probe.text(0x7ffffff0), ProbeError);
    EXPECT_EQ(probe.findWindow("*", "no window has this title 7f3a"), 0u);
    EXPECT_EQ(probe.call("ping"), std::vector<std::string>{"pong"});
}

TEST_F(Harness, FindsTheWindowWhereItWasCreated) {
    EXPECT_EQ(probe().rect(window_),
              (Rect{fx::kLeft, fx::kTop, fx::kLeft + fx::kWidth, fx::kTop + fx::kHeight}));
    EXPECT_EQ(probe().text(window_), fx::kTitle);
    EXPECT_EQ(probe().className(window_), fx::kWindowClass);
    EXPECT_TRUE(probe().visible(window_));
    EXPECT_EQ(probe().findWindow(fx::kWindowClass, fx::kTitle), window_);
    EXPECT_EQ(probe().findWindow("*", fx::kTitle), window_);
    EXPECT_EQ(probe().parent(window_), 0u);

    unsigned pid = probe().pid(window_);
    bool listed = false;
    for (const auto& w : probe().topLevelWindows(pid)) {
        EXPECT_EQ(w.pid, pid);
        if (w.hwnd == window_) {
            listed = true;
            EXPECT_EQ(w.text, fx::kTitle);
            EXPECT_TRUE(w.visible);
        }
    }
    EXPECT_TRUE(listed);
}

TEST_F(Harness, ReadsAndWritesControlTextAcrossProcesses) {
    WindowInfo edit = probe().child(window_, fx::kEditId);
    EXPECT_EQ(edit.className, "Edit");
    EXPECT_EQ(edit.text, fx::kEditText);
    EXPECT_EQ(probe().text(edit.hwnd), fx::kEditText);
    EXPECT_EQ(probe().parent(edit.hwnd), window_);

    // Spaces, tabs, backslashes and a leading dot survive the line protocol both ways.
    for (std::string text : {"two  words\tand\\a tab ", ".", ".leading dot", ""}) {
        probe().setText(edit.hwnd, text);
        EXPECT_EQ(probe().text(edit.hwnd), text);
        EXPECT_EQ(probe().child(window_, fx::kEditId).text, text);
    }
}

TEST_F(Harness, ChildRectanglesFollowTheLayout) {
    Rect client = probe().clientRect(window_);
    Rect red = probe().child(window_, fx::kRedId).rect;
    EXPECT_EQ(red, (Rect{client.left + fx::kRedX, client.top + fx::kRedY,
                         client.left + fx::kRedX + fx::kRedW, client.top + fx::kRedY + fx::kRedH}));
    Rect edit = probe().child(window_, fx::kEditId).rect;
    EXPECT_EQ(edit.left, client.left + fx::kEditX);
    EXPECT_EQ(edit.top, client.top + fx::kEditY);
}

TEST_F(Harness, ScreenshotAndScreenDcSeeTheRedArea) {
    Rect red = probe().child(window_, fx::kRedId).rect;
    Screenshot shot = paintedShot(red);
    EXPECT_EQ(probe().pixel(red.center().x, red.center().y), kRed);
    EXPECT_EQ(shot.pixel(red.left, red.top), kRed);
    EXPECT_EQ(shot.pixel(red.right - 1, red.bottom - 1), kRed);

    Rect client = probe().clientRect(window_);
    Point outside{client.left + 5, client.bottom - 5};
    EXPECT_NE(shot.pixel(outside), kRed);
    EXPECT_EQ(probe().pixel(outside.x, outside.y), shot.pixel(outside));
}

TEST_F(Harness, WindowRegionCutsTheCorner) {
    auto region = probe().region(window_);
    ASSERT_TRUE(region.has_value());
    EXPECT_FALSE(covers(*region, {fx::kNotch / 2, fx::kNotch / 2}));
    EXPECT_TRUE(covers(*region, {fx::kNotch + 1, 1}));
    EXPECT_TRUE(covers(*region, {1, fx::kNotch + 1}));
    EXPECT_TRUE(covers(*region, {fx::kWidth - 1, fx::kHeight - 1}));
    EXPECT_FALSE(covers(*region, {fx::kWidth, fx::kHeight - 1}));
    EXPECT_EQ(probe().region(probe().child(window_, fx::kEditId).hwnd), std::nullopt);

    // On screen the notch shows what lies behind the window, the caption beside it does not.
    Screenshot shot = paintedShot(probe().child(window_, fx::kRedId).rect);
    Point notch{fx::kLeft + fx::kNotch / 2, fx::kTop + fx::kNotch / 2};
    Point behind{fx::kLeft - 5, fx::kTop + fx::kNotch / 2};
    Point caption{fx::kLeft + fx::kNotch + 20, fx::kTop + fx::kNotch / 2};
    EXPECT_EQ(shot.pixel(notch), shot.pixel(behind));
    EXPECT_NE(shot.pixel(caption), shot.pixel(behind));
}

TEST_F(Harness, UpDownPositionCanBeReadAndSet) {
    Hwnd upDown = probe().child(window_, fx::kUpDownId).hwnd;
    EXPECT_EQ(probe().udmPos(upDown), fx::kUpDownPos);
    probe().send(upDown, kUdmSetPos32, 0, 77);
    EXPECT_EQ(probe().udmPos(upDown), 77);
}

TEST_F(Harness, ClickMovesTheFocusToTheEdit) {
    WindowInfo edit = probe().child(window_, fx::kEditId);
    ASSERT_NE(probe().guiInfo(window_).focus, edit.hwnd);
    Xdo xdo;
    xdo.mouseMove(edit.rect.center());
    xdo.click();
    EXPECT_TRUE(waitUntil([&] { return probe().guiInfo(window_).focus == edit.hwnd; }, 5s));
    EXPECT_EQ(probe().cursor(), edit.rect.center());
}

TEST_F(Harness, DragStartedInTheWindowIsCapturedAcrossTheScreen) {
    WindowInfo red = probe().child(window_, fx::kRedId);
    paintedShot(red.rect);
    const Point to{900, 700};
    ASSERT_FALSE(probe().rect(window_).contains(to));
    Xdo().drag(red.rect.center(), to, 10);

    std::string text;
    EXPECT_TRUE(waitUntil(
        [&] {
            text = probe().text(red.hwnd);
            return text.starts_with("up ");
        },
        5s))
        << "no button release recorded";
    int x = 0, y = 0, moves = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "up %d %d %d", &x, &y, &moves), 3) << text;
    EXPECT_EQ((Point{x, y}), to);
    EXPECT_GE(moves, 5);
    EXPECT_EQ(probe().cursor(), to);
}

TEST_F(Harness, CopiedTextReachesTheXClipboard) {
    const std::string unique =
        "clip-" + std::to_string(::getpid()) + "-" +
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    Hwnd edit = probe().child(window_, fx::kEditId).hwnd;
    probe().setText(edit, unique);
    EXPECT_EQ(probe().send(window_, fx::kMsgCopyEditText), 1);
    Clipboard clipboard;
    std::string seen;
    EXPECT_TRUE(waitUntil(
        [&] {
            seen = clipboard.text();
            return seen == unique;
        },
        5s))
        << "clipboard holds '" << seen << "'";
}

TEST_F(Harness, CloseEndsWithTheProgramsExitCode) {
    probe().post(window_, kWmClose);
    EXPECT_EQ(app().waitExit(10s), std::optional<int>(fx::kExitCode));
    EXPECT_TRUE(probe().waitGone(window_, 5s));
}

TEST_F(Harness, KillEndsTheProgramAndItsWindow) {
    app().kill();
    EXPECT_FALSE(app().running());
    EXPECT_TRUE(probe().waitGone(window_, 10s));
}

TEST(ScreenTest, SavesWhatItCapturesAsPng) {
    Screenshot shot = Screen().capture();
    EXPECT_GT(shot.width(), 0);
    EXPECT_GT(shot.height(), 0);
    auto path = std::filesystem::temp_directory_path() /
                ("vtl-e2e-shot-" + std::to_string(::getpid()) + ".png");
    shot.savePng(path.string());
    EXPECT_EQ(readFile(path).substr(0, 4), "\x89PNG");
    std::filesystem::remove(path);
}
