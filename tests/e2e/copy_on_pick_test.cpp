// copyonpick: the user's format on the clipboard when a pick is kept, read back with xclip.
#include <gtest/gtest.h>

#include <fstream>

#include "shown_picture.hpp"
#include "support/clipboard.hpp"
#include "support/user.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

// Ctrl+1 copies a text no template here gives; a pick that copies nothing is over at the hint.
TEST(CopyOnPick, KeptPicksAndCtrl8CopyTheTemplateEscARefusedOrNoTemplateNothing) {
    const std::string hint = "To pick color, please drag \"+\" icon.", rgb = "rgb(51, 102, 204)";
    const ShownPicture picture{{40, 60}, 200, 100, [](int, int) { return Rgb{51, 102, 204}; }};
    Xdo xdo;
    Clipboard clipboard;
    std::optional<VantrelSession> vantrel;
    auto shows = [&](const std::string& status, const std::string& copied) {
        return waitUntil([&] { return vantrel->text("StatusBar1") == status; }, 10s) &&
               waitUntil([&] { return clipboard.text() == copied; }, 5s);
    };
    for (const std::string line : {"rgb({Rx}, {G}, {B})", "", "rgb({R}, {G}, {B})"}) {
        std::filesystem::remove_all(VantrelSession::dataFolder());
        std::filesystem::create_directories(VantrelSession::dataFolder());
        // With no template, a shortcut the program cannot use is told as a refused template is.
        std::ofstream(VantrelSession::dataFolder() / "vtl3.ini")
            << "[VTL]\ncopyonpick=" << line << (line.empty() ? "\npickkey=Shift+A" : "");
        vantrel.emplace(true);
        const bool refused = line.find("Rx") < line.size(), copies = line.find("{R}") < line.size();
        vantrel->pinKeys();
        xdo.key("ctrl+1");
        EXPECT_TRUE(shows(refused        ? "copyonpick: unknown {Rx}: see ReadMe"
                          : line.empty() ? "Shortcut Shift+A: needs Ctrl, Alt or Win; see ReadMe"
                                         : hint,
                          "247, 213, 185"));
        ASSERT_TRUE(vantrel->dragFrom("imgDrag", picture.screen(100, 50)));
        xdo.mouseUp(1);
        EXPECT_TRUE(copies ? shows("Copied: " + rgb, rgb) : shows(hint, "247, 213, 185")) << line;
    }
    xdo.mouseMove(vantrel->layoutRect("shpColor").center());
    EXPECT_TRUE(shows(hint, rgb)) << "the pointer over the window brings the hint back";
    for (const std::string end : {"Return", "ctrl+8", "Escape"}) {
        xdo.key("ctrl+1");
        ASSERT_TRUE(waitUntil([&] { return clipboard.text() == "51, 102, 204"; }, 5s));
        xdo.mouseMove(picture.screen(100, 50));
        if (end != "ctrl+8") xdo.key("ctrl+p");
        xdo.key(end);
        EXPECT_TRUE(end == "Escape" ? shows(hint, "51, 102, 204") : shows("Copied: " + rgb, rgb))
            << end;
    }
}

} // namespace
