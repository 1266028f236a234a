// Keys: the global shortcut from another program, and the main window's keys. Under Wine a
// registered shortcut fires only while a window of a Wine program has the keyboard focus (there
// is no X grab): Notepad is put in front with the X focus pinned to it.
#include <gtest/gtest.h>

#include <fstream>

#include "shown_picture.hpp"
#include "support/clipboard.hpp"
#include "support/config.hpp"
#include "support/files.hpp"
#include "support/user.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

const std::string kHint = "To pick color, please drag \"+\" icon.";

void PinKeys(const Xdo& xdo, const char* title) {
    xdo.run({"search", "--onlyvisible", "--name", title, "windowfocus"});
}

// The program started with this pickkey and hidden to the tray with the frame's Minimize
// button; Notepad in front has the keys (a typed "a" reached it), the pointer on dark blue.
struct NotepadInFront {
    explicit NotepadInFront(const char* pickkey) {
        std::filesystem::remove_all(VantrelSession::dataFolder());
        std::filesystem::create_directories(VantrelSession::dataFolder());
        std::ofstream(VantrelSession::dataFolder() / "vtl3.ini") << "[VTL]\npickkey=" << pickkey;
        const Rect w = vantrel.emplace(true).windowRect();
        xdo.mouseMove({w.left + 223, w.top + 17});
        xdo.click(1);
        notepad.emplace(config::winePrefix() + "/drive_c/windows/notepad.exe");
        edit =
            vantrel->probe().children(vantrel->probe().waitWindow("Notepad", "*", 30s)).at(0).hwnd;
        PinKeys(xdo, "Notepad$");
        xdo.type("a");
        EXPECT_TRUE(waitUntil([&] { return vantrel->probe().text(edit) == "a"; }, 10s));
        xdo.mouseMove(picture.screen(50, 20));
    }
    bool Shows(const char* control, const std::string& text) {
        return waitUntil([&] { return vantrel->text(control) == text; }, 10s);
    }

    ShownPicture picture{{40, 900}, 200, 40, [](int x, int) {
                             return x < 100 ? Rgb{0x12, 0x34, 0x56} : Rgb{0xAB, 0xCD, 0xEF};
                         }};
    Xdo xdo;
    std::optional<VantrelSession> vantrel;
    std::optional<WineApp> notepad;
    Hwnd edit = 0;
};

TEST(GlobalShortcut, FromTheTrayItPicksAtThePointerEnterKeepsEscRestoresAgainEnds) {
    NotepadInFront s("shift+ALT+f9");
    ASSERT_FALSE(s.vantrel->probe().visible(s.vantrel->window()));
    s.xdo.key("alt+shift+F9");
    ASSERT_TRUE(s.Shows("edtHtml", "#123456"));
    EXPECT_EQ(s.vantrel->probe().foreground(), s.vantrel->window());
    s.xdo.mouseMove(s.picture.screen(150, 20));
    EXPECT_TRUE(s.Shows("edtHtml", "#ABCDEF")) << "the colour does not follow";
    // X still gives the keys to Notepad: Wine asks for the X focus with a time stamp of its own,
    // which loses against xdotool's change a moment before. A window manager would follow the
    // active window.
    PinKeys(s.xdo, "^Vantrel$");
    s.xdo.key("Return");
    EXPECT_TRUE(s.Shows("StatusBar1", kHint));
    s.xdo.key("alt+shift+F9");
    s.xdo.mouseMove(s.picture.screen(50, 20));
    ASSERT_TRUE(s.Shows("edtHtml", "#123456"));
    s.xdo.key("Escape");
    EXPECT_TRUE(s.Shows("StatusBar1", kHint) && s.Shows("edtHtml", "#ABCDEF"));
    s.xdo.key("alt+shift+F9");
    ASSERT_TRUE(s.Shows("edtHtml", "#123456"));
    s.xdo.key("alt+shift+F9"); // pressed again during the pick, it keeps the colour
    EXPECT_TRUE(s.Shows("StatusBar1", kHint));
    EXPECT_EQ(s.vantrel->probe().text(s.edit), "a") << "Notepad got keys the program took";
}

TEST(GlobalShortcut, SwitchedOffItLeavesTheKeysToTheProgramInFront) {
    NotepadInFront s("none");
    s.xdo.key("ctrl+shift+F11");
    s.xdo.type("x"); // once Notepad has it, the shortcut has gone by
    ASSERT_TRUE(waitUntil([&] { return s.vantrel->probe().text(s.edit) == "ax"; }, 10s));
    EXPECT_FALSE(s.vantrel->probe().visible(s.vantrel->window()));
}

// The default shortcut taken by another program first: no box, the status bar says so, and the
// window's own keys work: Ctrl+7, Ctrl+1 copy, Ctrl+S saves, Shift+F10 opens the list's menu.
TEST(WindowKeys, WorkWithTheShortcutTakenAndCopySaveAndOpenTheListsMenu) {
    std::filesystem::remove_all(VantrelSession::dataFolder());
    Probe other;
    ASSERT_EQ(other.call("hotkey 6 0x7A"), std::vector<std::string>{"1"}); // Ctrl+Shift+F11
    VantrelSession vantrel;
    const std::string told = "Shortcut Ctrl+Shift+F11 is taken: see ReadMe";
    EXPECT_TRUE(waitUntil([&] { return vantrel.text("StatusBar1") == told; }, 10s));
    Xdo xdo;
    Clipboard clipboard;
    PinKeys(xdo, "^Vantrel$");
    xdo.key("ctrl+7");
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "#F7D5B9"; }, 5s)) << clipboard.text();
    xdo.key("ctrl+1");
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "247, 213, 185"; }, 5s));
    xdo.key("ctrl+s");
    const auto file = VantrelSession::dataFolder() / "colors.ini";
    EXPECT_TRUE(waitUntil([&] { return readFile(file) == "#F7D5B9\r\n"; }, 5s));
    xdo.mouseMove(vantrel.savedItem(0));
    xdo.click(1);
    xdo.key("shift+F10");
    ASSERT_TRUE(chooseMenuItem(vantrel.probe(), 0)); // "Open..."
    EXPECT_NE(vantrel.probe().waitWindow("VtlWindow", "Values", 10s), 0u);
    for (const WindowInfo& w : vantrel.probe().topLevelWindows())
        EXPECT_NE(w.className, "#32770") << "a message box";
}

} // namespace
