// The saved colours from outside: colors.ini in the scratch data folder, the list's menu and
// the "Save" item with real clicks, the real question boxes, the Values dialog's fields and one
// Copy on the X clipboard; and the file troubles that must lose nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <thread>
#include <tuple>

#include "layouts/ValuesLayout.h"
#include "support/clipboard.hpp"
#include "support/files.hpp"
#include "support/holder.hpp"
#include "support/prefix_copy.hpp"
#include "support/process.hpp"
#include "support/user.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

constexpr unsigned kLvmGetItemCount = 0x1004, kLvmGetNextItem = 0x100C, kLvmGetTopIndex = 0x1027,
                   kLvmGetCountPerPage = 0x1028;

std::filesystem::path ColorsFile() {
    return VantrelSession::dataFolder() / "colors.ini";
}
// A fresh data folder holding colors.ini with these bytes.
void StartWith(const std::string& bytes) {
    std::filesystem::remove_all(VantrelSession::dataFolder());
    std::filesystem::create_directories(VantrelSession::dataFolder());
    std::ofstream(ColorsFile(), std::ios::binary) << bytes;
}
size_t FilesIn(const std::filesystem::path& folder) {
    return size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
}
std::string WindowsPath(const std::filesystem::path& p) {
    std::string s = "Z:" + p.string();
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

struct Saved : testing::Test {
    std::optional<VantrelSession> vantrel;
    Xdo xdo;

    Probe& probe() { return vantrel->probe(); }
    long long listSend(unsigned msg, long long wp = 0, long long lp = 0) {
        return probe().send(vantrel->control("ListView1"), msg, wp, lp);
    }
    int selected() { return int(listSend(kLvmGetNextItem, -1, 2 /*LVNI_SELECTED*/)); }
    Point itemPoint(int i) { return vantrel->savedItem(i); }
    void save(const std::function<void()>& atClick = {}) { EXPECT_TRUE(vantrel->save(atClick)); }
    // Answers the box with the real mouse on its button; returns its text.
    std::string answer(const std::string& caption, const std::string& button) {
        const std::optional<std::string> text = answerBox(probe(), caption, button);
        EXPECT_TRUE(text) << "no box " << caption;
        EXPECT_TRUE(waitUntil([&] { return probe().enabled(vantrel->window()); }, 5s));
        return text.value_or("");
    }
    // Right click at p, then a click on the menu's item (separators count as items).
    void menu(Point p, int item) {
        xdo.mouseMove(p);
        xdo.click(3);
        EXPECT_TRUE(chooseMenuItem(probe(), item));
    }
};

TEST_F(Saved, ListMenusQuestionsAndTheValuesDialog) {
    StartWith("#FF0000\n#00ff00");
    vantrel.emplace(true);
    EXPECT_EQ(listSend(kLvmGetItemCount), 2);
    EXPECT_TRUE(waitUntil([&] { return selected() == 1; }, 5s)) << "the last entry is selected";

    // Enter on the first entry opens the Values dialog.
    xdo.mouseMove(itemPoint(0));
    xdo.click(1);
    ASSERT_TRUE(waitUntil([&] { return selected() == 0; }, 5s));
    xdo.key("Return");
    const Hwnd dialog = probe().waitWindow("VtlWindow", "Values", 10s);
    ASSERT_NE(dialog, 0);
    std::vector<std::string> rows;
    for (int k = 1; k <= 8; ++k) {
        const std::string name = "Edit" + std::to_string(k);
        rows.push_back(probe().text(
            probe()
                .child(dialog, vtl::layout::ControlIdOf(vtl::layout::kValuesLayout, name.c_str()))
                .hwnd));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"255, 0, 0", "0, 240, 120", "255", "FF0000",
                                              "$000000FF", "&H000000FF&", "0x0000FF", "#FF0000"}));
    const auto& vb =
        vtl::layout::kValuesLayout[vtl::layout::IndexOf(vtl::layout::kValuesLayout, "Button6")];
    const Rect client = probe().clientRect(dialog);
    xdo.mouseMove(client.left + vb.left + vb.width / 2, client.top + vb.top + vb.height / 2);
    xdo.click(1);
    EXPECT_TRUE(waitUntil([&] { return Clipboard().text() == "&H000000FF&"; }, 5s));
    probe().post(dialog, 0x0010 /*WM_CLOSE*/);
    ASSERT_TRUE(probe().waitGone(dialog, 5s));
    EXPECT_TRUE(waitUntil([&] { return selected() == 1; }, 5s)) << "back to the last entry";

    // "Open II" on the first entry, answered No, then Yes.
    menu(itemPoint(0), 2);
    answer("Confirm", "No");
    EXPECT_EQ(vantrel->text("edtRGB"), "247, 213, 185");
    menu(itemPoint(0), 2);
    answer("Confirm", "Yes");
    EXPECT_TRUE(waitUntil([&] { return vantrel->text("edtRGB") == "255, 0, 0"; }, 5s));

    save();
    EXPECT_TRUE(waitUntil(
        [&] { return readFile(ColorsFile()) == "#FF0000\r\n#00ff00\r\n#FF0000\r\n"; }, 5s));

    // "Delete" on the second entry; the release below the entries offers "Clear".
    menu(itemPoint(1), 3);
    answer("Confirm", "Yes");
    EXPECT_TRUE(waitUntil([&] { return readFile(ColorsFile()) == "#FF0000\r\n#FF0000\r\n"; }, 5s));
    // The press showed the menu; its release, with nothing selected now, shows none. Once the
    // program answers a message, a second menu would be up.
    probe().send(vantrel->window(), 0 /*WM_NULL*/);
    for (const WindowInfo& w : probe().topLevelWindows(probe().pid(vantrel->window())))
        EXPECT_FALSE(w.visible && w.className == "#32768") << "a second menu";
    menu(itemPoint(4), 4);
    answer("Confirm", "No");
    EXPECT_EQ(listSend(kLvmGetItemCount), 2);
    menu(itemPoint(4), 4);
    answer("Confirm", "Yes");
    EXPECT_EQ(listSend(kLvmGetItemCount), 0);
    EXPECT_EQ(readFile(ColorsFile()), "");
}

TEST_F(Saved, LinesThatAreNotColoursAreKeptInABackupBeforeTheFirstWrite) {
    const std::string original = "\xEF\xBB\xBF#FF0000\r\nstray word\r\n";
    StartWith(original);
    std::ofstream(ColorsFile().string() + ".bak") << "an earlier backup";
    vantrel.emplace(true);
    EXPECT_EQ(listSend(kLvmGetItemCount), 1);
    save();
    const std::string told = answer("Warning", "OK");
    EXPECT_NE(told.find("colors.ini.1.bak"), std::string::npos) << told; // the next free name
    EXPECT_EQ(readFile(ColorsFile().string() + ".bak"), "an earlier backup");
    EXPECT_EQ(readFile(ColorsFile().string() + ".1.bak"), original);
    EXPECT_EQ(readFile(ColorsFile()), "#FF0000\r\n#F7D5B9\r\n");

    // Text without one colour (another kind of text): no word at start, the same backup.
    StartWith("Farben: rot, gr\xFCn\r\n");
    vantrel.emplace(true);
    save();
    EXPECT_NE(answer("Warning", "OK").find("colors.ini.bak"), std::string::npos);
    EXPECT_EQ(readFile(ColorsFile().string() + ".bak"), "Farben: rot, gr\xFCn\r\n");
    EXPECT_EQ(readFile(ColorsFile()), "#F7D5B9\r\n");
}

// A file that cannot be read is told at start, answered with Enter, and never written in that
// run; the list works meanwhile.
TEST_F(Saved, AnUnreadableFileIsToldOnceAndLeftAlone) {
    StartWith("#FF0000\r\n");
    {
        Holder lock(WindowsPath(ColorsFile()));
        vantrel.emplace(true);
        EXPECT_NE(answer("Warning", "").find("could not be read"), std::string::npos);
        save();
        save();
        EXPECT_EQ(listSend(kLvmGetItemCount), 2);
        xdo.mouseMove(itemPoint(0));
        xdo.click(1);
        ASSERT_TRUE(waitUntil([&] { return selected() == 0; }, 5s));
        xdo.key("End");
        EXPECT_TRUE(waitUntil([&] { return selected() == 1; }, 5s)) << "a list key";
        lock.release();
        vantrel.reset();
    }
    EXPECT_EQ(readFile(ColorsFile()), "#FF0000\r\n");

    std::filesystem::remove(ColorsFile());
    std::filesystem::create_directory(ColorsFile());
    vantrel.emplace(true);
    EXPECT_NE(answer("Warning", "OK").find("folder"), std::string::npos);
    save();
    EXPECT_EQ(listSend(kLvmGetItemCount), 1);
    EXPECT_TRUE(std::filesystem::is_directory(ColorsFile()));
}

// A write that fails (read-only file, or a lock taken while the program runs) leaves the file
// whole and no temporary file behind; the first failure of a run is told, later ones not.
TEST_F(Saved, AFailedWriteLosesNothing) {
    StartWith("#FF0000\r\n");
    std::filesystem::permissions(ColorsFile(), std::filesystem::perms::owner_read);
    vantrel.emplace(true);
    save();
    EXPECT_NE(answer("Warning", "OK").find("read-only"), std::string::npos);
    save();
    EXPECT_TRUE(waitUntil([&] { return listSend(kLvmGetItemCount) == 3; }, 5s));
    vantrel.reset();
    EXPECT_EQ(readFile(ColorsFile()), "#FF0000\r\n");

    // Held for a moment, as a virus scanner does: waited out, with no word.
    std::filesystem::permissions(ColorsFile(), std::filesystem::perms::owner_all);
    vantrel.emplace(true);
    std::optional<Holder> lock(std::in_place, WindowsPath(ColorsFile()));
    std::thread releaser;
    save([&] {
        releaser = std::thread([&] {
            std::this_thread::sleep_for(500ms);
            lock->release();
        });
    });
    releaser.join();
    EXPECT_TRUE(waitUntil([&] { return readFile(ColorsFile()) == "#FF0000\r\n#F7D5B9\r\n"; }, 5s));
    EXPECT_EQ(probe().findWindow("#32770"), 0) << "a box for a hold that ended";

    // Held for longer: told once, the file as it was; the next write takes the whole list.
    lock.emplace(WindowsPath(ColorsFile()));
    save();
    EXPECT_NE(answer("Warning", "OK").find("could not be written"), std::string::npos);
    lock->release();
    EXPECT_EQ(readFile(ColorsFile()), "#FF0000\r\n#F7D5B9\r\n");
    EXPECT_EQ(FilesIn(VantrelSession::dataFolder()), 2u) << "colors.ini and vtl3.ini only";
    save();
    EXPECT_TRUE(waitUntil(
        [&] { return readFile(ColorsFile()) == "#FF0000\r\n#F7D5B9\r\n#F7D5B9\r\n#F7D5B9\r\n"; },
        5s))
        << "the next write goes through with the whole list";
}

// Another program (Notepad, a sync tool) changed colors.ini while Vantrel ran: a Save keeps the
// line it added and leaves out the one it removed, and the list shows that version.
TEST_F(Saved, WhatAnotherProgramWroteMeanwhileIsKept) {
    StartWith("#FF0000\r\n#00FF00\r\n");
    vantrel.emplace(true);
    std::ofstream(ColorsFile(), std::ios::binary) << "#00FF00\r\n#0000FF\r\n";
    save();
    EXPECT_TRUE(waitUntil(
        [&] { return readFile(ColorsFile()) == "#00FF00\r\n#0000FF\r\n#F7D5B9\r\n"; }, 5s));
    EXPECT_EQ(listSend(kLvmGetItemCount), 3);
    EXPECT_EQ(selected(), 2) << "the colour just saved";
    const Point added = itemPoint(1);
    EXPECT_EQ(probe().pixel(added.x, added.y), (Rgb{0, 0, 255})) << "the added line's swatch";
}

// Another program writes colors.ini while a Save or a Delete runs: it holds the file open for
// writing and appends a line, or empties it and writes it again with a line more (editors save
// so), letting go half a second after the click; or it puts a line above two equal ones before
// one of them is deleted. Nothing either side wrote is lost, and the chosen entry goes.
TEST_F(Saved, NothingIsLostWhileAnotherProgramWritesTheFile) {
    // How the other writes, the file before, the entry deleted (-1: a Save), the file after.
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"append", "#FF0000\r\n#00FF00\r\n", -1, "#FF0000\r\n#00FF00\r\n#0000FF\r\n#F7D5B9\r\n"},
        {"rewrite", "#FF0000\r\n#00FF00\r\n", -1, "#FF0000\r\n#00FF00\r\n#0000FF\r\n#F7D5B9\r\n"},
        {"append", "#FF0000\r\n#00FF00\r\n", 0, "#00FF00\r\n#0000FF\r\n"},
        {"rewrite", "#FF0000\r\n#00FF00\r\n", 0, "#00FF00\r\n#0000FF\r\n"},
        {"", "#FF0000\r\n#00FF00\r\n#FF0000\r\n", 2, "#0000FF\r\n#FF0000\r\n#00FF00\r\n"},
    };
    for (const auto& [how, start, deleted, expected] : cases) {
        const std::string what = std::string(how) + (deleted < 0 ? " during a Save" : " Delete");
        StartWith(start);
        vantrel.emplace(true);
        std::optional<Holder> other;
        if (*how) other.emplace(WindowsPath(ColorsFile()), how, "#0000FF");
        std::thread releaser;
        const auto meanwhile = [&] {
            if (!other) {
                std::ofstream(ColorsFile(), std::ios::binary) << "#0000FF\r\n" << start;
                return;
            }
            releaser = std::thread([&] {
                std::this_thread::sleep_for(500ms);
                other->release();
            });
        };
        if (deleted < 0) {
            save(meanwhile);
        } else {
            menu(itemPoint(deleted), 3);
            meanwhile();
            answer("Confirm", "Yes");
        }
        if (releaser.joinable()) releaser.join();
        EXPECT_TRUE(waitUntil([&] { return readFile(ColorsFile()) == expected; }, 5s))
            << what << ":\n"
            << readFile(ColorsFile());
        EXPECT_EQ(probe().findWindow("#32770"), 0) << what << ": a box for a hold that ended";
    }
}

// More entries than the list shows: the last one is in view at start and after a Save.
TEST_F(Saved, TheNewestColourIsInView) {
    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "#FF0000\r\n";
    StartWith(many);
    vantrel.emplace(true);
    const auto lastInView = [&] {
        const long long last = listSend(kLvmGetItemCount) - 1, top = listSend(kLvmGetTopIndex);
        return selected() == last && top <= last && last < top + listSend(kLvmGetCountPerPage);
    };
    EXPECT_TRUE(waitUntil(lastInView, 5s)) << "at start, top " << listSend(kLvmGetTopIndex);
    save();
    EXPECT_TRUE(waitUntil([&] { return listSend(kLvmGetItemCount) == 31 && lastInView(); }, 5s))
        << "after a Save, top " << listSend(kLvmGetTopIndex);
}

// Without a data folder the list still works, and the first change says it is not kept.
TEST_F(Saved, WithoutADataFolderTheFirstChangeSaysTheColoursAreNotKept) {
    std::filesystem::remove_all(VantrelSession::dataFolder());
    std::ofstream(VantrelSession::dataFolder()) << "a file where the folder should be";
    vantrel.emplace(true, "Vantrel"); // the settings' own message comes first
    save();
    EXPECT_NE(answer("Warning", "OK").find("will not be kept after Vantrel ends"),
              std::string::npos);
    save();
    // The window takes a click only once the save is handled and no box holds it.
    xdo.mouseMove(itemPoint(0));
    xdo.click(1);
    EXPECT_TRUE(waitUntil([&] { return selected() == 0; }, 5s)) << "the click was not taken";
    EXPECT_EQ(listSend(kLvmGetItemCount), 2);
    EXPECT_EQ(probe().findWindow("#32770"), 0) << "told twice";
}

// A file far larger than any list (a wrong file copied over it) is told at start, never read
// whole, and never written: byte for byte as it was. Sparse files cost no disk.
TEST_F(Saved, AFileFarLargerThanAnyListIsToldAndKeptWhole) {
    StartWith("#FF0000\r\n");
    std::filesystem::resize_file(ColorsFile(), 1500ull << 20);
    const auto written = std::filesystem::last_write_time(ColorsFile());
    vantrel.emplace(true);
    const std::string told = answer("Warning", "OK");
    EXPECT_NE(told.find("colors.ini\nIt holds 1500 MB"), std::string::npos) << told;
    save();
    EXPECT_TRUE(waitUntil([&] { return listSend(kLvmGetItemCount) == 1; }, 5s));
    EXPECT_EQ(std::filesystem::last_write_time(ColorsFile()), written) << "not written at all";
}

// Killed at random moments while saving a long list, the file is always whole: the old list or
// the new one. The next start removes what killed writes left, and nothing else. Only a round
// killed while its temporary file existed proves the first; without one the test fails.
TEST_F(Saved, KilledWhileSavingTheFileIsAlwaysWhole) {
    std::string expected;
    for (int i = 0; i < 80000; ++i) // long lines: a long write, 7.9 MB
        expected += "#00FF00" + std::string(90, 'x') + "\r\n";
    StartWith(expected);
    const auto folder = VantrelSession::dataFolder();
    std::ofstream(folder / "colors.ini.0000ABCD.tmp") << "left by a killed run";
    std::ofstream(folder / "colors.ini.tmp") << "not ours";
    std::mt19937 random(7); // the same moments on every run; every other round at once
    int killedMidWrite = 0;
    for (int round = 0; round < 6; ++round) {
        vantrel.emplace(true);
        const std::chrono::milliseconds delay(
            round % 2 ? std::uniform_int_distribution(0, 19)(random) : 0);
        std::thread killer;
        bool writeSeen = false;
        save([&] { // kills at a moment of the write, which takes 4 to 25 ms here
            killer = std::thread([&] {
                std::error_code e; // the write shows as a temporary file, or a change in place
                writeSeen = waitUntil(
                    [&] {
                        return FilesIn(folder) > 3 ||
                               std::filesystem::file_size(ColorsFile(), e) != expected.size();
                    },
                    5s, 0ms);
                std::this_thread::sleep_for(delay);
                vantrel->app().kill();
            });
        });
        killer.join();
        ASSERT_TRUE(writeSeen) << "round " << round << ": no write began";
        const bool temporaryLeft = FilesIn(folder) > 3;
        vantrel.reset();
        const std::string now = readFile(ColorsFile());
        killedMidWrite += temporaryLeft && now == expected;
        if (now != expected) expected += "#F7D5B9\r\n"; // the save was done
        ASSERT_EQ(now, expected) << "round " << round << ": the file is not whole";
    }
    EXPECT_GT(killedMidWrite, 0) << "no round was killed during a write: this proved nothing";
    vantrel.emplace(true);
    EXPECT_EQ(FilesIn(folder), 3u) << "colors.ini, vtl3.ini and colors.ini.tmp, not ours";
}

// A really full disk: a small file system on the data folder, filled up (mounting needs root).
TEST_F(Saved, OnAFullDiskNothingIsLostAndNothingLeftBehind) {
    StartWith(""); // hidden by the mount
    const auto folder = VantrelSession::dataFolder();
    struct SmallDisk {
        std::string at;
        std::optional<VantrelSession>& program;
        CommandResult mount =
            runCommand({"mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", at}, 10s);
        ~SmallDisk() {
            program.reset(); // its open files would keep the file system busy
            if (mount.exitCode == 0) runCommand({"umount", "--lazy", at}, 10s);
        }
    } disk{folder, vantrel};
    if (disk.mount.exitCode != 0) GTEST_SKIP() << "cannot mount a tmpfs here: " << disk.mount.err;
    std::ofstream(ColorsFile(), std::ios::binary) << "#FF0000\r\n";
    vantrel.emplace(true);
    std::ofstream filler(folder / "filler", std::ios::binary);
    while (filler << std::string(1024, 'x') << std::flush) {
    }
    save();
    EXPECT_NE(answer("Warning", "OK").find("could not be written"), std::string::npos);
    menu(itemPoint(1), 3);
    answer("Confirm", "Yes"); // "Delete" fails quietly now ("Clear" writes no byte, so it can't)
    EXPECT_TRUE(waitUntil([&] { return listSend(kLvmGetItemCount) == 1; }, 5s));
    EXPECT_EQ(probe().findWindow("#32770"), 0) << "told twice";
    EXPECT_EQ(readFile(ColorsFile()), "#FF0000\r\n");
    EXPECT_EQ(FilesIn(folder), 3u) << "colors.ini, vtl3.ini and the filler only";
}

// A user name outside the code page (1252): the user's own folder, not "??" or "Lukasz".
TEST_F(Saved, AUserNameOutsideTheCodePageKeepsItsOwnFolder) {
    setenv("LC_ALL", "C.UTF-8", 1); // Wine's ANSI code page: 1252
    PrefixCopy prefix("user-names");
    const auto users = std::filesystem::path(config::winePrefix()) / "drive_c" / "users";
    const auto lookalike = users / "Lukasz" / "AppData" / "Roaming" / "Vantrel";
    std::filesystem::create_directories(lookalike);
    std::ofstream(lookalike / "colors.ini") << "#0000FF\r\n";
    for (const std::u16string user : {u"\u6D4B\u8BD5", u"\u0141ukasz"}) {
        // "reg add" mangles such letters: a UTF-16 .reg file does not.
        const std::u16string key = u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                                   u"CurrentVersion\\Explorer\\",
                             value = u"]\r\n\"AppData\"=\"C:\\\\users\\\\" + user +
                                     u"\\\\AppData\\\\Roaming\"\r\n\r\n";
        std::ofstream(users / "appdata.reg", std::ios::binary)
            << utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n" + key +
                         u"User Shell Folders" + value + key + u"Shell Folders" + value);
        ASSERT_TRUE(prefix.run({"wine", "regedit", "/S", "C:\\users\\appdata.reg"}));
        const auto folder = users / std::filesystem::path(user) / "AppData" / "Roaming" / "Vantrel";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "vtl3.ini") << "[VTL]\r\nontop=0\r\nzoom=3\r\n";
        std::ofstream(folder / "colors.ini", std::ios::binary)
            << utf16File(u"#FF0000\r\n#00ff00\r\n");
        vantrel.emplace(true);
        EXPECT_EQ(listSend(kLvmGetItemCount), 2);
        EXPECT_EQ(probe().send(vantrel->control("cboZoom"), 0x0147 /*CB_GETCURSEL*/), 2);
        save(); // a box at start, or any box now, would stand in the way
        EXPECT_TRUE(waitUntil(
            [&] { return readFile(folder / "colors.ini") == "#FF0000\r\n#00ff00\r\n#F7D5B9\r\n"; },
            5s));
        vantrel.emplace(true);
        EXPECT_EQ(listSend(kLvmGetItemCount), 3) << "kept across a restart";
        vantrel.reset();
    }
    EXPECT_EQ(readFile(lookalike / "colors.ini"), "#0000FF\r\n") << "written to another user";
}

} // namespace
