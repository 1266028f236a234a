// The tray icon with real clicks on Wine's own tray window: hiding on minimise, showing and
// hiding by click and menu, the About box, the links, the icon's return after the taskbar is
// recreated, and stay on top.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "layouts/AboutLayout.h"
#include "layouts/ValuesLayout.h"
#include "support/config.hpp"
#include "support/files.hpp"
#include "support/screen.hpp"
#include "support/user.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "tray.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

constexpr unsigned kWmSysCommand = 0x0112, kScMinimize = 0xF020, kScRestore = 0xF120;
constexpr std::uint32_t kWsExTopmost = 0x8;
// Longer than the double-click time plus the guard's slack: the next click is a new one.
constexpr auto kBetweenClicks = 700ms;

TEST(TrayIcon, MinimiseHidesToTheTrayAndClicksShowAndHide) {
    VantrelSession vantrel;
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();
    const Hwnd main = vantrel.window(), spin = vantrel.control("spiR");
    Xdo().mouseMove(vantrel.layoutRect("spiR").center());
    Xdo().click();
    ASSERT_TRUE(waitKeys(probe, main, main, spin));

    // Minimised by another program, which no user path of ours stands in for.
    probe.showAsync(tray.app(), 6 /*SW_MINIMIZE*/);
    ASSERT_TRUE(tray.waitShown(false)) << "minimising did not hide the program to the tray";

    tray.click();
    ASSERT_TRUE(tray.waitShown(true)) << "a click did not bring the program back";
    ASSERT_TRUE(waitKeys(probe, main, main, spin)) << "the keys are not where they were";
    vantrel.pinKeys();
    Xdo().key("Up");
    EXPECT_TRUE(waitUntil([&] { return vantrel.text("edtHtml") == "#F8D5B9"; }, 5s))
        << "one Up did not step the spin box once: " << vantrel.text("edtHtml");

    std::this_thread::sleep_for(kBetweenClicks);
    tray.click();
    EXPECT_TRUE(tray.waitShown(false)) << "a click while shown did not hide the program";
    EXPECT_FALSE(tray.minimized());

    // A double click toggles once; the menu opened afterwards proves the clicks were handled.
    std::this_thread::sleep_for(kBetweenClicks);
    tray.click(1, 2);
    ASSERT_TRUE(tray.waitShown(true));
    const Hwnd menu = tray.openMenu();
    ASSERT_NE(menu, 0u);
    EXPECT_EQ(probe.foreground(), tray.app()) << "the program is not in front for its menu";
    EXPECT_TRUE(tray.shown()) << "the second half of the double click hid the program again";
    Xdo().run({"mousemove", "700", "20", "click", "1"}); // closes the menu
    EXPECT_TRUE(probe.waitHidden(menu));
}

TEST(TrayIcon, MenuShowsAndHidesOpensAboutWhileClicksAreOffAndExits) {
    VantrelSession vantrel;
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();

    tray.choose(TrayItem::Show);
    ASSERT_TRUE(tray.waitShown(false));

    tray.choose(TrayItem::About);
    const Hwnd about = probe.waitWindow("VtlWindow", "About", 10s);
    ASSERT_NE(about, 0u);
    const Rect client = probe.clientRect(about);

    // Clicks on the icon do nothing while the box is open.
    tray.click();
    tray.click(3);
    Xdo xdo;
    xdo.mouseMove(client.left + 150, client.top + 90); // on the white panel: the box takes the keys
    xdo.click(1);
    xdo.key("Return");
    ASSERT_TRUE(probe.waitGone(about, 10s)) << "Enter did not close the About box";
    ASSERT_NE(tray.openMenu(), 0u) << "the menu did not come back after the About box";
    EXPECT_FALSE(tray.shown()) << "a click made while the About box was open counted";

    xdo.key("Escape");
    tray.choose(TrayItem::Exit);
    EXPECT_EQ(vantrel.app().waitExit(10s), 0);
}

TEST(TrayIcon, MinimisedWhileADialogIsOpenItKeepsItsTaskbarButton) {
    VantrelSession vantrel;
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();
    tray.choose(TrayItem::About);
    const Hwnd about = probe.waitWindow("VtlWindow", "About", 10s);
    ASSERT_NE(about, 0u);
    // The taskbar's button, which Wine has not: the frame's own is off while the box is open.
    probe.post(tray.app(), kWmSysCommand, kScMinimize, 0);
    ASSERT_TRUE(waitUntil([&] { return tray.minimized(); }, 10s));
    probe.post(tray.app(), kWmSysCommand, kScRestore, 0);
    ASSERT_TRUE(waitUntil([&] { return !tray.minimized(); }, 10s));
    EXPECT_TRUE(tray.waitShown(true)) << "hidden to the tray while its icon was switched off";
    probe.post(tray.app(), kWmSysCommand, kScMinimize, 0);
    ASSERT_TRUE(waitUntil([&] { return tray.minimized(); }, 10s));
    probe.post(about, 0x0010 /*WM_CLOSE*/);
    ASSERT_TRUE(probe.waitGone(about, 5s));
    tray.click(); // the program is still minimised, not hidden: the click brings it back
    EXPECT_TRUE(tray.waitShown(true)) << "a click on the icon did not restore the program";
}

// A day's use with real input only; after each step a key must reach the program.
TEST(Journey, EveryStepLeavesTheKeysWithTheProgram) {
    std::filesystem::remove_all(VantrelSession::dataFolder());
    std::filesystem::create_directories(VantrelSession::dataFolder());
    std::ofstream(VantrelSession::dataFolder() / "colors.ini") << "#FF0000\n#00FF00\n";
    VantrelSession vantrel(true);
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();
    Xdo xdo;
    const Hwnd main = vantrel.window(), list = vantrel.control("ListView1");
    const Rect w = vantrel.windowRect();
    auto clickAt = [&](Point p, int times = 1) {
        xdo.mouseMove(p);
        xdo.click(1, times);
    };
    auto closeWith = [&](const char* title, const char* key) {
        const Hwnd window = probe.waitWindow("*", title, 10s);
        xdo.key(key);
        return window && probe.waitGone(window, 5s);
    };
    auto listKey = [&](const char* key, int entry) { // the list has the keys: one moves it
        if (!waitKeys(probe, main, main, list)) return false;
        xdo.key(key);
        return waitUntil([&] { return probe.send(list, 0x100C, -1, 2) == entry; }, 5s);
    };

    xdo.drag(vantrel.layoutRect("imgDrag").center(), {w.right + 40, w.bottom + 40});
    ASSERT_TRUE(waitUntil([&] { return vantrel.text("edtHtml") == "#000000"; }, 5s));
    clickAt(vantrel.layoutRect("spiR").center());
    xdo.run({"key", "Up", "Up", "Up"});
    ASSERT_TRUE(waitUntil([&] { return vantrel.text("edtHtml") == "#030000"; }, 5s));
    clickAt(vantrel.layoutRect("btnMenu").center());
    ASSERT_TRUE(answerBox(probe, "Color", "Cancel"));
    ASSERT_TRUE(waitKeys(probe, main, main, vantrel.control("btnMenu")));
    xdo.key("Return"); // the focused button opens the dialog again
    ASSERT_TRUE(closeWith("Color", "Escape"));

    const Point palette = vantrel.layoutRect("btnMenu").center(); // clicked at once after "Save"
    ASSERT_TRUE(vantrel.save([&] { xdo.click(), xdo.mouseMove(palette); }));
    ASSERT_TRUE(answerBox(probe, "Color", "Cancel"));
    ASSERT_TRUE(waitKeys(probe, main, main, vantrel.control("btnMenu"))) << "a second dialog";
    EXPECT_EQ(probe.send(list, 0x100C, -1, 2), 2) << "the new entry is not the selected last";
    // A double click on the second entry opens one Values dialog; Tab walks its fields in order
    // and round. Enter on the list opens it again.
    clickAt(vantrel.savedItem(1), 2);
    const Hwnd values = probe.waitWindow("VtlWindow", "Values", 10s);
    ASSERT_NE(values, 0u);
    for (int k = 0; k < 10; ++k) {
        xdo.key("Tab");
        const std::string name = "Edit" + std::to_string(k % 8 + 1);
        const Hwnd field =
            probe.child(values, vtl::layout::ControlIdOf(vtl::layout::kValuesLayout, name.c_str()))
                .hwnd;
        ASSERT_TRUE(waitKeys(probe, values, values, field)) << "Tab did not reach " << name;
    }
    ASSERT_TRUE(closeWith("Values", "Escape"));
    ASSERT_TRUE(waitKeys(probe, main, main, list)) << "a second Values dialog";
    xdo.key("Return");
    ASSERT_TRUE(closeWith("Values", "alt+F4"));
    ASSERT_TRUE(waitKeys(probe, main, main, list));
    xdo.key("Delete");
    ASSERT_NE(probe.waitWindow("#32770", "Confirm", 10s), 0u);
    EXPECT_FALSE(probe.enabled(main) || probe.enabled(tray.app())) << "not modal for them";
    ASSERT_TRUE(answerBox(probe, "Confirm", "No"));
    ASSERT_TRUE(waitKeys(probe, main, main, list));
    xdo.key("Delete");
    ASSERT_TRUE(answerBox(probe, "Confirm", "Yes"));
    ASSERT_TRUE(listKey("Home", 0));

    tray.clickMinimizeButton();
    ASSERT_TRUE(tray.waitShown(false)) << "the Minimize button did not hide to the tray";
    tray.click();
    ASSERT_TRUE(tray.waitShown(true));
    // Wine on a busy machine may leave X's keys on its tray window though the program is active
    // (listKey checks that first): X's focus is put where Windows' is, as a desktop would.
    vantrel.pinKeys();
    ASSERT_TRUE(listKey("End", 1));
    tray.choose(TrayItem::About);
    ASSERT_TRUE(answerBox(probe, "About", "OK"));
    ASSERT_TRUE(waitKeys(probe, main, main, list));
    xdo.key("Return"); // back from the About box the list selects its end as the key comes
    ASSERT_TRUE(closeWith("Values", "alt+F4"));
    tray.choose(TrayItem::Exit);
    EXPECT_EQ(vantrel.app().waitExit(10s), 0);
}

TEST(TrayIcon, LinksHandExactlyOurAddressesToTheShell) {
    const std::filesystem::path log = std::filesystem::temp_directory_path() / "vtl_urls.txt";
    std::filesystem::remove(log);
    {
        std::string exe = config::vantrelExe();
        exe = exe.substr(0, exe.rfind('/') + 1) + "vtlurlrecorder.exe";
        WineApp registration(exe, {"register", "Z:" + log.string()});
        ASSERT_EQ(registration.waitExit(30s), 0);
    }
    VantrelSession vantrel;
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();
    Xdo xdo;

    const std::string mailLine = "mailto:contact@vantrel.example\n";
    const std::string expected = mailLine + "http://www.vantrel.example/\n" + mailLine;
    // Each link is recorded before the next step, so no starting recorder gets in the way.
    auto recorded = [&](long lines) {
        return waitUntil([&] { return std::ranges::count(readFile(log), '\n') >= lines; }, 20s);
    };
    tray.choose(TrayItem::ContactUs);
    ASSERT_TRUE(recorded(1));
    tray.choose(TrayItem::VisitWebsite);
    ASSERT_TRUE(recorded(2));
    tray.choose(TrayItem::About);
    const Hwnd about = probe.waitWindow("VtlWindow", "About", 10s);
    ASSERT_NE(about, 0u);
    const Rect mail =
        probe.child(about, vtl::layout::ControlIdOf(vtl::layout::kAboutLayout, "lblEmailAddr"))
            .rect;
    auto textIs = [&](Rgb colour) {
        const Screenshot shot = Screen().capture();
        for (int y = mail.top; y < mail.bottom; ++y)
            for (int x = mail.left; x < mail.right; ++x)
                if (shot.pixel(x, y) == colour) return true;
        return false;
    };
    xdo.mouseMove(mail.center());
    xdo.click(3); // the right button opens nothing
    xdo.mouseDown(1);
    EXPECT_TRUE(waitUntil([&] { return textIs({255, 0, 0}); }, 5s)) << "not red while pressed";
    xdo.mouseUp(1);
    EXPECT_TRUE(waitUntil([&] { return textIs({0, 0, 255}) && !textIs({255, 0, 0}); }, 5s));
    EXPECT_TRUE(recorded(3));
    EXPECT_EQ(readFile(log), expected);
}

TEST(TrayIcon, ComesBackWhenTheTaskbarIsRecreated) {
    VantrelSession vantrel;
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();
    const Hwnd trayWindow = probe.findWindow("__winex11_standalone_tray");

    ASSERT_TRUE(probe.trayDelete(tray.iconWindow(), 0));
    ASSERT_TRUE(probe.waitHidden(trayWindow));
    tray.clickMinimizeButton(); // while the shell has lost the icon
    ASSERT_TRUE(waitUntil([&] { return !tray.shown(); }, 10s));
    probe.broadcast("TaskbarCreated");
    tray.waitIcon();
    tray.click();
    EXPECT_TRUE(tray.waitShown(true)) << "a click on the icon that came back did not restore";
    std::this_thread::sleep_for(kBetweenClicks);
    tray.click();
    EXPECT_TRUE(tray.waitShown(false)) << "the icon came back without its click";
}

// Ticked (the default) the program stays above a raised window; unticked with a real click it
// falls behind one, vtl3.ini says so and the next start agrees; ticked again it is on top and
// the check box has the keys.
TEST(StayOnTop, TheCheckBoxPutsTheProgramAboveOrAmongTheOthers) {
    std::optional<VantrelSession> vantrel(std::in_place);
    WineApp other(config::fixtureExe());
    const Hwnd fixture = vantrel->probe().waitWindow("VtlFixtureWnd", "VtlFixture", 30s);
    ASSERT_NE(fixture, 0u);
    Xdo xdo;
    auto click = [&](Point p) {
        xdo.mouseMove(p);
        xdo.click(1);
    };
    auto raiseFixture = [&] {
        click(vantrel->probe().rect(fixture).center());
        return waitUntil([&] { return vantrel->probe().foreground() == fixture; }, 5s);
    };
    auto above = [&] {
        for (const WindowInfo& w : vantrel->probe().topLevelWindows()) {
            if (w.hwnd == vantrel->window()) return true;
            if (w.hwnd == fixture) return false;
        }
        return false;
    };
    auto stored = [&](const char* ontop) {
        const std::string text = std::string("[VTL]\r\nontop=") + ontop + "\r\nzoom=1\r\n";
        return waitUntil([&] { return readFile(vantrel->dataFolder() / "vtl3.ini") == text; }, 5s);
    };
    const auto topmost = [&] {
        return bool(vantrel->probe().exStyle(vantrel->window()) & kWsExTopmost);
    };
    const auto checked = [&] {
        return vantrel->probe().send(vantrel->control("chkStayOnTop"), 0xF0);
    };

    ASSERT_TRUE(topmost() && checked());
    ASSERT_TRUE(raiseFixture());
    EXPECT_TRUE(above()) << "the raised window came above the program";
    click(vantrel->layoutRect("chkStayOnTop").center());
    EXPECT_TRUE(stored("0"));
    EXPECT_TRUE(waitUntil([&] { return !topmost(); }, 5s));
    ASSERT_TRUE(raiseFixture());
    EXPECT_TRUE(waitUntil([&] { return !above(); }, 5s)) << "still above the raised window";
    ASSERT_EQ(vantrel->close(), 0);

    vantrel.emplace(true);
    EXPECT_FALSE(topmost() || checked()) << "the next start is on top again";
    click(vantrel->layoutRect("chkStayOnTop").center());
    EXPECT_TRUE(stored("1"));
    ASSERT_TRUE(raiseFixture());
    EXPECT_TRUE(topmost() && above());
    click(vantrel->layoutRect("chkStayOnTop").center());
    EXPECT_TRUE(stored("0"));
    ASSERT_TRUE(waitKeys(vantrel->probe(), vantrel->window(), vantrel->window(),
                         vantrel->control("chkStayOnTop")));
    xdo.key("space");
    EXPECT_TRUE(stored("1")) << "Space on the check box did not tick it again";
}

} // namespace
