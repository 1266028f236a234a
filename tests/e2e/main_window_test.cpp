// The real program from outside: the swatch on the screen, a clean exit, settings kept from one
// run to the next, and one program however often it is started.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/config.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

TEST(MainWindow, PaintsTheInitialColourAndEndsWithExitCodeZero) {
    VantrelSession vantrel;
    // The views' texts are the in-process tests' (tests/win); here what only the running
    // program shows: its swatch on the screen, and its exit code.
    const Point swatch = vantrel.layoutRect("shpColor").center();
    Screen screen;
    EXPECT_TRUE(waitUntil(
        [&] {
            return screen.capture().pixel(swatch) == Rgb{247, 213, 185};
        },
        5s))
        << "swatch shows " << screen.capture().pixel(swatch);
    EXPECT_EQ(vantrel.close(), 0);
}

TEST(MainWindow, StoredSettingsAreUsedAtTheNextStart) {
    {
        VantrelSession first;
        ASSERT_EQ(first.close(), 0);
    }
    std::ofstream(VantrelSession::dataFolder() / "vtl3.ini", std::ios::binary | std::ios::trunc)
        << "[VTL]\r\nontop=0\r\nzoom=20\r\n";
    VantrelSession vantrel(/*keepData=*/true);
    EXPECT_EQ(vantrel.probe().send(vantrel.control("cboZoom"), 0x0147 /*CB_GETCURSEL*/), 19);
    EXPECT_EQ(vantrel.probe().send(vantrel.control("chkStayOnTop"), 0x00F0 /*BM_GETCHECK*/), 0);
}

// Ten starts at once (repeated double clicks, a login script) leave one program; every other
// start ends with exit code 0.
TEST(MainWindow, TenStartsAtOnceLeaveOneProgram) {
    VantrelSession first; // waits for the taskbar
    first.close();
    std::vector<std::unique_ptr<WineApp>> starts;
    for (int i = 0; i < 10; ++i)
        starts.push_back(std::make_unique<WineApp>(config::vantrelExe()));
    auto running = [&] {
        return std::count_if(starts.begin(), starts.end(), [](auto& s) { return s->running(); });
    };
    ASSERT_TRUE(waitUntil([&] { return running() == 1; }, 60s)) << running() << " run";
    for (auto& s : starts)
        EXPECT_EQ(s->running() ? 0 : s->waitExit(0s), 0);
    const Hwnd main = first.probe().waitWindow("VtlWindow", "Vantrel", 30s);
    first.probe().post(main, 0x0112 /*WM_SYSCOMMAND*/, 0xF060 /*SC_CLOSE*/, 0);
    EXPECT_TRUE(waitUntil([&] { return running() == 0; }, 10s));
}

} // namespace
