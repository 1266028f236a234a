// The real program from outside: its window, the initial colour in every view, the swatch on
// the screen, the settings file of a first start, and a clean exit.
#include <gtest/gtest.h>

#include <fstream>

#include "support/screen.hpp"
#include "support/wait.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

TEST(MainWindow, ShowsTheInitialColourEverywhereAndEndsWithExitCodeZero) {
    VantrelSession vantrel;
    Probe& probe = vantrel.probe();

    const Rect window = vantrel.windowRect();
    EXPECT_EQ(window.width(), 261);
    EXPECT_EQ(window.height(), 664);
    EXPECT_EQ(probe.text(vantrel.window()), "Vantrel");

    EXPECT_EQ(vantrel.text("edtRGB"), "247, 213, 185");
    EXPECT_EQ(vantrel.text("edtDecimal"), "12178935");
    EXPECT_EQ(vantrel.text("edtHex"), "F7D5B9");
    EXPECT_EQ(vantrel.text("edtHtml"), "#F7D5B9");
    EXPECT_EQ(vantrel.text("edtDelphi"), "$00B9D5F7");
    EXPECT_EQ(vantrel.text("edtVB"), "&H00B9D5F7&");
    EXPECT_EQ(vantrel.text("edtC"), "0xB9D5F7");
    EXPECT_EQ(vantrel.text("spiR"), "247");
    EXPECT_EQ(vantrel.text("spiG"), "213");
    EXPECT_EQ(vantrel.text("spiB"), "185");
    EXPECT_EQ(vantrel.text("spiH"), "18");
    EXPECT_EQ(vantrel.text("spiS"), "191");
    EXPECT_EQ(vantrel.text("spiL"), "203");
    EXPECT_EQ(vantrel.text("StatusBar1"), "To pick color, please drag \"+\" icon.");
    EXPECT_EQ(vantrel.text("btnMenu"), "Palette");
    EXPECT_EQ(vantrel.text("chkStayOnTop"), "Stay on top");

    // The swatch on the screen, once painted.
    const Point swatch = vantrel.layoutRect("shpColor").center();
    Screen screen;
    EXPECT_TRUE(waitUntil(
        [&] {
            return screen.capture().pixel(swatch) == Rgb{247, 213, 185};
        },
        5s))
        << "swatch shows " << screen.capture().pixel(swatch);

    // A first start writes the defaults.
    EXPECT_EQ(VantrelSession::readFile(VantrelSession::dataFolder() / "vtl3.ini"),
              "[VTL]\r\nontop=1\r\nzoom=1\r\n");

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
    EXPECT_EQ(VantrelSession::readFile(VantrelSession::dataFolder() / "vtl3.ini"),
              "[VTL]\r\nontop=0\r\nzoom=20\r\n");
}

} // namespace
