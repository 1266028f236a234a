// The real program from outside: the swatch on the screen, a clean exit, and settings kept
// from one run to the next.
#include <gtest/gtest.h>

#include <fstream>

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

} // namespace
