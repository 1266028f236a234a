// The skinned frame of the real program, seen and used from outside: the window's shape on
// screen, dragging the title, and the Close button with the real mouse.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

constexpr int kWidth = 261, kHeight = 664;
const Rgb kContent{232, 232, 232};

bool covers(const std::vector<Rect>& rects, Point p) {
    for (const auto& r : rects)
        if (r.contains(p)) return true;
    return false;
}

class SkinFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(rect_.width(), kWidth);
        ASSERT_EQ(rect_.height(), kHeight);
    }

    // A point of the window, in its own coordinates, on the screen.
    Point at(int x, int y) const { return {rect_.left + x, rect_.top + y}; }
    // The screen once the window has painted its content.
    Screenshot painted() {
        std::optional<Screenshot> shot;
        EXPECT_TRUE(waitUntil(
            [&] {
                shot = screen_.capture();
                return shot->pixel(at(7, 33)) == kContent;
            },
            5s, 50ms))
            << "content not painted";
        return *shot;
    }
    bool movesTo(const Rect& expected) {
        return waitUntil([&] { return probe_->rect(window_) == expected; }, 3s);
    }

    VantrelSession vantrel_;
    WineApp* app_ = &vantrel_.app();
    Probe* probe_ = &vantrel_.probe();
    Hwnd window_ = vantrel_.window();
    Rect rect_ = vantrel_.windowRect();
    Screen screen_;
    Xdo xdo_;
};

} // namespace

TEST_F(SkinFrame, TopCornersAreRoundedOnScreenAndTheBottomOnesSquare) {
    auto region = probe_->region(window_);
    ASSERT_TRUE(region.has_value()) << "the window has no shape";
    const int cut[] = {6, 3, 2, 1, 1, 1};
    int outside = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < kWidth; ++x)
            outside += !covers(*region, {x, y});
    EXPECT_EQ(outside, 28);
    for (int y = 0; y < 6; ++y) {
        EXPECT_FALSE(covers(*region, {cut[y] - 1, y}));
        EXPECT_TRUE(covers(*region, {cut[y], y}));
        EXPECT_FALSE(covers(*region, {kWidth - cut[y], y}));
        EXPECT_TRUE(covers(*region, {kWidth - cut[y] - 1, y}));
    }

    // The desktop shows through the cut corners; the frame is drawn right beside them.
    const Screenshot shot = painted();
    const Rgb desktop = shot.pixel(rect_.left - 3, rect_.top + 1);
    ASSERT_EQ(shot.pixel(rect_.right + 2, rect_.top + 1), desktop);
    for (Point corner :
         {at(0, 0), at(5, 0), at(0, 5), at(kWidth - 1, 0), at(kWidth - 6, 0), at(kWidth - 1, 5)})
        EXPECT_EQ(shot.pixel(corner), desktop) << corner;
    for (Point frame : {at(6, 0), at(0, 6), at(kWidth - 7, 0), at(kWidth - 1, 6), at(120, 0),
                        at(0, kHeight - 1), at(kWidth - 1, kHeight - 1)})
        EXPECT_NE(shot.pixel(frame), desktop) << frame;
    // The title band is the skin's blue, the content the sheet's grey.
    const Rgb band = shot.pixel(at(120, 15));
    EXPECT_GT(band.b, band.r + 60) << band;
    EXPECT_EQ(shot.pixel(at(130, 33)), kContent);
}

TEST_F(SkinFrame, DraggingTheTitleMovesTheWindow) {
    painted();
    xdo_.drag(at(120, 15), at(220, 75), 10);
    EXPECT_TRUE(movesTo(rect_.offset(100, 60))) << probe_->rect(window_);

    // Presses on the icon and the caption, and right drags, leave it where it is.
    rect_ = probe_->rect(window_);
    xdo_.drag(at(18, 16), at(118, 76), 10);
    xdo_.drag(at(45, 16), at(145, 76), 10);
    xdo_.drag(at(120, 15), at(220, 75), 10, 15ms, 3);
    // A real drag after them has to move the window; by then they have been handled too.
    xdo_.drag(at(120, 15), at(130, 25), 10);
    EXPECT_TRUE(movesTo(rect_.offset(10, 10))) << probe_->rect(window_);
}

TEST_F(SkinFrame, CloseButtonEndsTheProgramWithExitCodeZero) {
    painted();
    // Pressed, then moved off the button before the release: it still closes.
    auto tile = [&] {
        const Screenshot shot = screen_.capture();
        std::vector<Rgb> pixels;
        for (int y = 9; y < 25; ++y)
            for (int x = 234; x < 250; ++x)
                pixels.push_back(shot.pixel(at(x, y)));
        return pixels;
    };
    const auto up = tile();
    xdo_.mouseMove(at(242, 17));
    xdo_.mouseDown();
    EXPECT_TRUE(waitUntil([&] { return tile() != up; }, 5s)) << "the button shows its down tile";
    EXPECT_TRUE(app_->running()) << "the press alone closes nothing";
    xdo_.mouseMove(at(130, 300));
    xdo_.mouseUp();
    EXPECT_EQ(app_->waitExit(10s), std::optional<int>(0));
    EXPECT_TRUE(probe_->waitGone(window_, 5s));
}
