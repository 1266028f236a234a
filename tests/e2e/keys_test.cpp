// Keys. Under Wine a registered shortcut fires only while a window of a Wine program has the
// keyboard focus (there is no X grab): Notepad is put in front with the X focus pinned to it.
#include <gtest/gtest.h>

#include <fstream>

#include "support/clipboard.hpp"
#include "support/config.hpp"
#include "support/files.hpp"
#include "shown_picture.hpp"
#include "support/user.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

const std::string kHint = "To pick color, please drag \"+\" icon.";

// Started with this pickkey, hidden to the tray by the frame's Minimize button; Notepad in
// front has the keys (a typed "a" reached it); the pointer on the black desktop.
struct NotepadInFront : ::testing::Test {
    void Start(const char* pickkey) {
        std::filesystem::remove_all(VantrelSession::dataFolder());
        std::filesystem::create_directories(VantrelSession::dataFolder());
        std::ofstream(VantrelSession::dataFolder() / "vtl3.ini") << "[VTL]\npickkey=" << pickkey;
        const Rect w = vantrel.emplace(true).windowRect();
        xdo.mouseMove({w.left + 223, w.top + 17});
        xdo.click(1);
        notepad.emplace(config::winePrefix() + "/drive_c/windows/notepad.exe");
        edit = probe().children(probe().waitWindow("Notepad", "*", 30s)).at(0).hwnd;
        xdo.run({"search", "--onlyvisible", "--name", "Notepad$", "windowfocus"});
        xdo.type("a");
        ASSERT_TRUE(waitUntil([&] { return probe().text(edit) == "a"; }, 10s));
        xdo.mouseMove({20, 900});
    }
    Probe& probe() { return vantrel->probe(); }
    bool Shows(const char* control, const std::string& text) {
        return waitUntil([&] { return vantrel->text(control) == text; }, 10s);
    }

    Xdo xdo;
    std::optional<VantrelSession> vantrel;
    std::optional<WineApp> notepad;
    Hwnd edit = 0;
};

TEST_F(NotepadInFront, FromTheTrayTheShortcutPicksEnterKeepsEscRestoresAgainEnds) {
    Start("shift+ALT+f9");
    xdo.key("alt+shift+F9");
    ASSERT_TRUE(Shows("edtHtml", "#000000"));
    EXPECT_EQ(probe().foreground(), vantrel->window());
    xdo.mouseMove(probe().rect(edit).center());
    EXPECT_TRUE(Shows("edtHtml", "#FFFFFF")) << "the colour does not follow";
    // X still gives the keys to Notepad: Wine asks for the X focus with a time stamp of its own,
    // which loses against xdotool's change just before. A window manager would follow Wine.
    xdo.run({"search", "--onlyvisible", "--name", "^Vantrel$", "windowfocus"});
    xdo.key("Return");
    EXPECT_TRUE(Shows("StatusBar1", kHint));
    xdo.key("alt+shift+F9");
    xdo.mouseMove({20, 900});
    ASSERT_TRUE(Shows("edtHtml", "#000000"));
    xdo.key("Escape");
    EXPECT_TRUE(Shows("StatusBar1", kHint) && Shows("edtHtml", "#FFFFFF"));
    xdo.key("alt+shift+F9");
    ASSERT_TRUE(Shows("edtHtml", "#000000"));
    // The pick reads a still of the screen: a picture shown meanwhile is seen by the next pick.
    const ShownPicture shown({1080, 880}, 40, 40, [](int, int) { return Rgb{0xAB, 0xCD, 0xEF}; });
    xdo.mouseMove({1100, 900});
    EXPECT_TRUE(Shows("StatusBar1", "X:1100 Y:900 (still)"));
    EXPECT_EQ(vantrel->text("edtHtml"), "#000000");
    xdo.key("alt+shift+F9"); // pressed again during the pick, it keeps the colour
    EXPECT_TRUE(Shows("StatusBar1", kHint));
    xdo.key("alt+shift+F9");
    EXPECT_TRUE(Shows("edtHtml", "#ABCDEF"));
}

// Notepad's menu open with an item lit under the pointer: the pick has that item's colour, and
// the next item's as it was, not lit as the pointer on it makes it now.
TEST_F(NotepadInFront, TheShortcutPicksTheMenuAsItWasWhenPressed) {
    Start("ctrl+shift+F9"); // Alt would close the menu
    xdo.key("alt+f");
    const Hwnd menu = waitMenu(probe());
    ASSERT_NE(menu, 0u);
    const Rect r = probe().rect(menu);
    const Point item{r.left + r.width() / 2, r.top + 28}, edge{r.right - 5, r.top + 28};
    const Point next{item.x, item.y + 17}; // "Open..." and "Save"
    Screen screen;
    const Rgb unlit = screen.capture().pixel(edge);
    xdo.mouseMove(item);
    ASSERT_TRUE(waitUntil([&] { return screen.capture().pixel(edge) != unlit; }, 5s));
    const Screenshot shot = screen.capture();
    xdo.key("ctrl+shift+F9");
    ASSERT_TRUE(Shows("edtHtml", shot.pixel(item).hex()));
    xdo.mouseMove(next);
    EXPECT_TRUE(Shows("StatusBar1",
                      "X:" + std::to_string(next.x) + " Y:" + std::to_string(next.y) + " (still)"));
    EXPECT_EQ(vantrel->text("edtHtml"), shot.pixel(next).hex());
}

TEST_F(NotepadInFront, SwitchedOffTheShortcutLeavesTheKeysToTheProgramInFront) {
    Start("none");
    xdo.run({"key", "ctrl+shift+F11", "type", "x"}); // once Notepad has the x, the key went by
    ASSERT_TRUE(waitUntil([&] { return probe().text(edit) == "ax"; }, 10s));
    EXPECT_FALSE(probe().visible(vantrel->window()));
}

// The default shortcut taken by another program first: the status bar says so, and the window's
// keys work, which a message box would have stopped: Ctrl+7, Ctrl+1 copy, Ctrl+S saves,
// Shift+F10 opens the list's menu.
TEST(WindowKeys, WorkWithTheShortcutTakenAndCopySaveAndOpenTheListsMenu) {
    std::filesystem::remove_all(VantrelSession::dataFolder());
    Probe other;
    ASSERT_EQ(other.call("hotkey 6 0x7A"), std::vector<std::string>{"1"}); // Ctrl+Shift+F11
    VantrelSession vantrel;
    const std::string told = "Shortcut Ctrl+Shift+F11 is taken: see ReadMe";
    EXPECT_TRUE(waitUntil([&] { return vantrel.text("StatusBar1") == told; }, 10s));
    Xdo xdo;
    Clipboard clipboard;
    xdo.run({"search", "--onlyvisible", "--name", "^Vantrel$", "windowfocus"});
    xdo.key("ctrl+7");
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "#F7D5B9"; }, 5s)) << clipboard.text();
    // A held Ctrl+S saves once; when the Ctrl+1 after it has copied, every repeat was seen.
    xdo.run({"keydown", "ctrl+s", "sleep", "1.6", "keyup", "ctrl+s", "key", "ctrl+1"});
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "247, 213, 185"; }, 5s));
    EXPECT_EQ(readFile(VantrelSession::dataFolder() / "colors.ini"), "#F7D5B9\r\n");
    xdo.mouseMove(vantrel.savedItem(0));
    xdo.click(1);
    xdo.key("shift+F10");
    ASSERT_TRUE(chooseMenuItem(vantrel.probe(), 0)); // "Open..."
    EXPECT_NE(vantrel.probe().waitWindow("VtlWindow", "Values", 10s), 0u);
}

} // namespace
