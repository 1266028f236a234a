// Keys: the global shortcut from another program and from the tray, and the main window's keys
// for Copy, Save and the list's menu. Under Wine a registered shortcut fires only while a
// window of a Wine program has the keyboard focus (there is no X grab): Notepad is put in
// front with the X focus pinned to it, as a user's other program.
#include <gtest/gtest.h>

#include <fstream>

#include "shown_picture.hpp"
#include "support/clipboard.hpp"
#include "support/config.hpp"
#include "support/files.hpp"
#include "support/user.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

const char* const kHint = "To pick color, please drag \"+\" icon.";

std::string Status(Point p) {
    return "X:" + std::to_string(p.x) + " Y:" + std::to_string(p.y);
}

class GlobalShortcut : public ::testing::Test {
  protected:
    // Starts on a data folder whose vtl3.ini holds this pickkey line (none: no vtl3.ini).
    void Start(const char* pickkey) {
        std::filesystem::remove_all(VantrelSession::dataFolder());
        std::filesystem::create_directories(VantrelSession::dataFolder());
        if (pickkey)
            std::ofstream(VantrelSession::dataFolder() / "vtl3.ini")
                << "[VTL]\r\nontop=1\r\nzoom=1\r\npickkey=" << pickkey << "\r\n";
        vantrel_.emplace(true);
    }
    // Notepad in front with the keys; its edit gets what the program does not take.
    void NotepadInFront() {
        notepad_.emplace(config::winePrefix() + "/drive_c/windows/notepad.exe");
        const Hwnd w = probe().waitWindow("Notepad", "*", 30s);
        ASSERT_NE(w, 0u);
        edit_ = probe().children(w).at(0).hwnd;
        xdo_.run({"search", "--onlyvisible", "--name", "Notepad$", "windowfocus"});
        ASSERT_TRUE(waitUntil([&] { return probe().foreground() == w; }, 10s));
        xdo_.type("a");
        ASSERT_TRUE(waitUntil([&] { return probe().text(edit_) == "a"; }, 10s)) << "no keys";
    }
    Probe& probe() { return vantrel_->probe(); }
    bool WaitText(const char* control, const std::string& text) {
        return waitUntil([&] { return vantrel_->text(control) == text; }, 10s);
    }

    ShownPicture picture_{{40, 900}, 200, 40, [](int x, int) {
                              return x < 100 ? Rgb{0x12, 0x34, 0x56} : Rgb{0xAB, 0xCD, 0xEF};
                          }};
    Point left_ = picture_.screen(50, 20), right_ = picture_.screen(150, 20);
    Xdo xdo_;
    std::optional<VantrelSession> vantrel_;
    std::optional<WineApp> notepad_;
    Hwnd edit_ = 0;
};

TEST_F(GlobalShortcut, FromAnotherProgramPicksAtThePointerAndEnterKeepsTheColour) {
    Start("shift+ALT+f9");
    NotepadInFront();
    xdo_.mouseMove(left_);
    xdo_.key("alt+shift+F9");
    ASSERT_TRUE(WaitText("StatusBar1", Status(left_)));
    EXPECT_EQ(vantrel_->text("edtHtml"), "#123456");
    xdo_.mouseMove(right_);
    ASSERT_TRUE(WaitText("StatusBar1", Status(right_))) << "the colour does not follow";
    xdo_.key("Return");
    EXPECT_TRUE(WaitText("StatusBar1", kHint)) << "Enter did not reach the program";
    EXPECT_EQ(vantrel_->text("edtHtml"), "#ABCDEF");
    EXPECT_EQ(probe().text(edit_), "a") << "Notepad got keys the program took";
}

TEST_F(GlobalShortcut, HiddenInTheTrayItComesBackPickingAndEscRestoresTheColour) {
    Start(nullptr); // the default
    const Rect w = vantrel_->windowRect();
    xdo_.mouseMove({w.left + 223, w.top + 17}); // the frame's Minimize button
    xdo_.click(1);
    ASSERT_TRUE(waitUntil([&] { return !probe().visible(vantrel_->window()); }, 10s));
    NotepadInFront();
    xdo_.mouseMove(left_);
    xdo_.key("ctrl+shift+F11");
    ASSERT_TRUE(WaitText("edtHtml", "#123456"));
    EXPECT_TRUE(probe().visible(vantrel_->window()));
    // The program is in front; X still gives the keys to Notepad: Wine asks for the X focus
    // with a time stamp of its own, which loses against xdotool's change a moment before. A
    // desktop's window manager would follow the active window; here the keys are pinned to it.
    EXPECT_EQ(probe().foreground(), vantrel_->window());
    xdo_.run({"search", "--onlyvisible", "--name", "^Vantrel$", "windowfocus"});
    xdo_.key("Escape");
    EXPECT_TRUE(WaitText("StatusBar1", kHint));
    EXPECT_EQ(vantrel_->text("edtHtml"), "#F7D5B9");

    // Pressed again during a pick, it ends the pick keeping the colour.
    xdo_.key("ctrl+shift+F11");
    ASSERT_TRUE(WaitText("StatusBar1", Status(left_)));
    xdo_.key("ctrl+shift+F11");
    EXPECT_TRUE(WaitText("StatusBar1", kHint));
    EXPECT_EQ(vantrel_->text("edtHtml"), "#123456");
}

TEST_F(GlobalShortcut, SwitchedOffItLeavesTheKeysToTheProgramInFront) {
    Start("none");
    NotepadInFront();
    xdo_.mouseMove(left_);
    xdo_.key("ctrl+shift+F11");
    xdo_.type("x"); // once Notepad has it, the shortcut has gone by
    ASSERT_TRUE(waitUntil([&] { return probe().text(edit_) == "ax"; }, 10s));
    EXPECT_EQ(vantrel_->text("StatusBar1"), kHint);
    EXPECT_EQ(vantrel_->text("edtHtml"), "#F7D5B9");
}

TEST(GlobalShortcutTaken, TheProgramRunsWithoutABoxAndItsStatusBarSaysSo) {
    std::filesystem::remove_all(VantrelSession::dataFolder());
    Probe other;
    ASSERT_EQ(other.call("hotkey 6 0x7A"), std::vector<std::string>{"1"}); // Ctrl+Shift+F11
    VantrelSession vantrel;
    EXPECT_TRUE(waitUntil(
        [&] {
            return vantrel.text("StatusBar1") == "Shortcut Ctrl+Shift+F11 is taken: see ReadMe";
        },
        10s));
    for (const WindowInfo& w :
         vantrel.probe().topLevelWindows(vantrel.probe().pid(vantrel.window())))
        EXPECT_NE(w.className, "#32770") << "a message box";
    EXPECT_EQ(vantrel.close(), 0);
}

TEST(WindowKeys, CtrlDigitsCopyCtrlSSavesAndTheMenuKeyOpensTheListsMenu) {
    VantrelSession vantrel;
    Xdo xdo;
    Clipboard clipboard;
    xdo.run({"search", "--onlyvisible", "--name", "^Vantrel$", "windowfocus"});
    xdo.key("ctrl+7");
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "#F7D5B9"; }, 5s)) << clipboard.text();
    xdo.key("ctrl+1");
    EXPECT_TRUE(waitUntil([&] { return clipboard.text() == "247, 213, 185"; }, 5s));
    xdo.key("ctrl+s");
    EXPECT_TRUE(waitUntil(
        [&] { return readFile(VantrelSession::dataFolder() / "colors.ini") == "#F7D5B9\r\n"; },
        5s));
    EXPECT_EQ(vantrel.probe().send(vantrel.control("ListView1"), 0x1004 /*LVM_GETITEMCOUNT*/), 1);
    xdo.mouseMove(vantrel.savedItem(0));
    xdo.click(1);
    xdo.key("shift+F10");
    ASSERT_TRUE(chooseMenuItem(vantrel.probe(), 0)); // "Open..."
    const Hwnd values = vantrel.probe().waitWindow("VtlWindow", "Values", 10s);
    ASSERT_NE(values, 0u);
    xdo.key("alt+F4");
    EXPECT_TRUE(vantrel.probe().waitGone(values));
}

} // namespace
