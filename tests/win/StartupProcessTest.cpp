// Vantrel.exe started for real: the refusal on old Windows versions, the single instance, the
// start in the program's own folder, the state at the end of start-up and the flat buttons.
#include "ProcessTestSupport.h"
#include "WinTestSupport.h"

#include "brunmark/BrunmarkClass.h"
#include "layouts/MainLayout.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>

namespace vtl {
namespace {

constexpr const char* kInstanceMutex = "933fdbc7bfd91faa212aee69854f7a91"; // MD5 of "Vantrel"
constexpr const char* kAppMutex = "Brunmark-Software-Vantrel-AppMutex";
constexpr unsigned kStartMs = 20000;
constexpr unsigned kEndMs = 10000;

// Counts the windows one process creates, through out-of-context window events.
class WindowCreationWatch {
  public:
    explicit WindowCreationWatch(DWORD processId)
        : hook_(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &OnEvent,
                                processId, 0, WINEVENT_OUTOFCONTEXT)) {
        Watches()[hook_] = this;
    }
    ~WindowCreationWatch() {
        Watches().erase(hook_);
        if (hook_) UnhookWinEvent(hook_);
    }
    WindowCreationWatch(const WindowCreationWatch&) = delete;
    WindowCreationWatch& operator=(const WindowCreationWatch&) = delete;
    bool Active() const { return hook_ != nullptr; }
    int Created() const { return created_; }

  private:
    static std::map<HWINEVENTHOOK, WindowCreationWatch*>& Watches() {
        static std::map<HWINEVENTHOOK, WindowCreationWatch*> watches;
        return watches;
    }
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD, HWND, LONG object, LONG, DWORD, DWORD) {
        auto it = Watches().find(hook);
        if (it != Watches().end() && object == OBJID_WINDOW) ++it->second->created_;
    }

    HWINEVENTHOOK hook_;
    int created_ = 0;
};

// One started Vantrel.exe.
class Vantrel {
  public:
    explicit Vantrel(const test::StartOptions& options = {},
                     const std::string& exe = test::VantrelExe())
        : process_(exe, options) {}

    test::ChildProcess& Process() { return process_; }
    DWORD Id() const { return process_.Id(); }

    // The visible main window, once start-up has shown it; null if it never came.
    HWND WaitForMainWindow(unsigned ms = kStartMs) {
        HWND found = nullptr;
        test::WaitFor(
            [&] {
                for (HWND w : test::TopLevelWindows(process_.Id(), "VtlWindow"))
                    if (IsWindowVisible(w) && test::TextOf(w) == "Vantrel") found = w;
                return found != nullptr || !process_.Running();
            },
            ms);
        return found;
    }
    HWND AppWindow() const {
        auto found = test::TopLevelWindows(process_.Id(), "VtlApplication");
        return found.empty() ? nullptr : found.front();
    }
    bool HasProgramWindows() const {
        return !test::TopLevelWindows(process_.Id(), "VtlApplication").empty() ||
               !test::TopLevelWindows(process_.Id(), "VtlWindow").empty();
    }
    // Closes the main window as its Close button does; the exit code.
    DWORD Close(HWND mainWindow) {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        return process_.WaitForExit(kEndMs);
    }

  private:
    test::ChildProcess process_;
};

BOOL CALLBACK CollectById(HWND wnd, LPARAM lp) {
    (*reinterpret_cast<std::map<int, HWND>*>(lp))[GetDlgCtrlID(wnd)] = wnd;
    return TRUE;
}

// Posted messages are taken in order: once one posted now is handled, so is everything posted to
// the program before it. No user path posts to the zoom list; this only marks the queue.
bool HandledWhatWasPosted(HWND main, int mark) {
    std::map<int, HWND> byId;
    EnumChildWindows(main, &CollectById, reinterpret_cast<LPARAM>(&byId));
    const HWND zoom = byId[layout::ControlIdOf(layout::kMainLayout, "cboZoom")];
    PostMessageA(zoom, CB_SETCURSEL, mark, 0);
    return test::WaitFor([&] { return SendMessageA(zoom, CB_GETCURSEL, 0, 0) == mark; }, 5000);
}

KernelHandle OpenNamedMutex(const char* name) {
    return KernelHandle(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name));
}

// A copy of Vantrel.exe in a scratch folder, told by Wine to report the given version.
struct UnderVersion {
    explicit UnderVersion(const char* version)
        : name(std::string("vtl_") + version + ".exe"),
          exe(folder.CopyIn(test::VantrelExe(), name)), reported(name, version) {}
    test::ScratchFolder folder;
    std::string name;
    std::string exe;
    test::WineVersionFor reported;
};

// --- The Windows version test ----------------------------------------------------------------

TEST(VantrelVersionCheck, Windows98AndNt4GetTheRefusalAndNoWindowOfTheProgram) {
    for (const char* version : {"win98", "nt40"}) {
        SCOPED_TRACE(version);
        UnderVersion copy(version);
        Vantrel program({}, copy.exe);

        HWND box = nullptr;
        test::WaitFor(
            [&] {
                for (HWND w : test::TopLevelWindows(program.Id(), "#32770"))
                    if (IsWindowVisible(w)) box = w;
                return box != nullptr || !program.Process().Running();
            },
            kStartMs);
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(test::TextOf(box), "Error");
        EXPECT_EQ(test::TextOf(GetDlgItem(box, 0xFFFF)),
                  "This program must be run under Windows 2000 or later.");
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "no owner window";
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "one OK button only";
        HWND icon = GetDlgItem(box, 0x0440);
        ASSERT_NE(icon, nullptr);
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "an icon is shown";
        EXPECT_FALSE(program.HasProgramWindows()) << "nothing of the program was built";

        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program.Process().WaitForExit(kEndMs), 0u);
    }
}

TEST(VantrelVersionCheck, Windows2000XpAnd7Run) {
    for (const char* version : {"win2k", "winxp", "win7"}) {
        SCOPED_TRACE(version);
        UnderVersion copy(version);
        Vantrel program({}, copy.exe);
        HWND main = program.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(test::TopLevelWindows(program.Id(), "#32770").empty()) << "no refusal";
        EXPECT_EQ(program.Close(main), 0u);
    }
}

// --- The single instance -----------------------------------------------------------------------

TEST(VantrelSingleInstance, ASecondStartEndsAtOnceWithoutAWindowAndLeavesTheFirstAlone) {
    Vantrel first;
    HWND main = first.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // Start-up ends by giving the taskbar button back and coming to the front; it may pump
    // messages (the marker's too) before that.
    const HWND app = first.AppWindow();
    ASSERT_TRUE(test::WaitFor(
        [&] { return app && !(GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW); }, 5000));
    ASSERT_TRUE(HandledWhatWasPosted(main, 3)); // start-up is over
    // Posted messages go before the first paint. Wine sends the X focus request of the main
    // window's activation only when the program next waits for input: sent after `front` took
    // the front, it would take the X focus from it and leave the desktop in front.
    ASSERT_EQ(WaitForInputIdle(first.Process().Handle(), 5000), 0u);

    {
        // The first instance owns the instance mutex and holds the second one open, unowned.
        KernelHandle instance = OpenNamedMutex(kInstanceMutex);
        ASSERT_TRUE(instance);
        EXPECT_EQ(WaitForSingleObject(instance.Get(), 0), DWORD(WAIT_TIMEOUT));
        KernelHandle app = OpenNamedMutex(kAppMutex);
        ASSERT_TRUE(app);
        EXPECT_EQ(WaitForSingleObject(app.Get(), 0), WAIT_OBJECT_0);
        ReleaseMutex(app.Get());
    }

    // Another window is in front, so a second start that activated the first would show.
    TForm front;
    front.SetClientSize(200, 80);
    front.Show();
    TBrunmark::ForceForegroundWindow(front.Handle());
    ASSERT_TRUE(test::WaitFor([&] { return GetForegroundWindow() == front.Handle(); }, 2000));
    RECT before;
    GetWindowRect(main, &before);

    test::StartOptions suspended;
    suspended.suspended = true;
    Vantrel second(suspended);
    WindowCreationWatch secondWindows(second.Id());
    ASSERT_TRUE(secondWindows.Active());
    const DWORD started = GetTickCount();
    second.Process().Resume();
    EXPECT_EQ(second.Process().WaitForExit(kEndMs), 0u);
    EXPECT_LT(GetTickCount() - started, 5000u) << "ends at once";
    ASSERT_TRUE(HandledWhatWasPosted(main, 4)); // and so is what the second start posted
    test::PumpPending();                        // window events it raised
    EXPECT_EQ(secondWindows.Created(), 0) << "the second start created windows";

    EXPECT_TRUE(first.Process().Running());
    EXPECT_EQ(GetForegroundWindow(), front.Handle()) << "the first was brought to the front";
    EXPECT_TRUE(IsWindowVisible(main));
    RECT after;
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    KernelHandle instance = OpenNamedMutex(kInstanceMutex);
    ASSERT_TRUE(instance);
    EXPECT_EQ(WaitForSingleObject(instance.Get(), 0), DWORD(WAIT_TIMEOUT)) << "still owned";
    front.Hide();

    // At its end the first releases the mutex (an owner that just ended would abandon it).
    EXPECT_EQ(first.Close(main), 0u);
    EXPECT_EQ(WaitForSingleObject(instance.Get(), 0), WAIT_OBJECT_0);
    ReleaseMutex(instance.Get());
}

// Ten starts at once (double clicks, a login script): nine end with code 0, the one left runs
// on with the only main window, whatever the others asked of it, and ends as it should.
TEST(VantrelSingleInstance, TenStartsAtOnceLeaveOneRunning) {
    std::vector<Vantrel> starts(10);
    int ended = 0;
    for (Vantrel& start : starts)
        ended += start.Process().WaitForExit(kEndMs) == 0;
    EXPECT_EQ(ended, 9);
    auto left = std::ranges::find_if(starts, [](Vantrel& s) { return s.Process().Running(); });
    ASSERT_NE(left, starts.end()) << "no start runs on";
    const HWND main = left->WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(HandledWhatWasPosted(main, 4)); // and so is all that the ended starts posted
    EXPECT_TRUE(left->Process().Running());
    int mainWindows = 0;
    for (Vantrel& start : starts)
        for (HWND w : test::TopLevelWindows(start.Id(), "VtlWindow"))
            mainWindows += IsWindowVisible(w) && test::TextOf(w) == "Vantrel";
    EXPECT_EQ(mainWindows, 1);
    EXPECT_EQ(left->Close(main), 0u);
}

TEST(VantrelSingleInstance, AfterTheFirstEndedANewStartRuns) {
    {
        Vantrel first;
        HWND main = first.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(first.Close(main), 0u);
    }
    EXPECT_FALSE(OpenNamedMutex(kInstanceMutex)) << "no handle of the mutex is left open";
    EXPECT_FALSE(OpenNamedMutex(kAppMutex));

    test::StartOptions suspended;
    suspended.suspended = true;
    Vantrel next(suspended);
    WindowCreationWatch windows(next.Id());
    next.Process().Resume();
    HWND main = next.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(test::WaitFor([&] { return windows.Created() > 0; }, 5000))
        << "the watch sees windows being created";
    EXPECT_EQ(next.Close(main), 0u);
}

// Started again while the first still ends (held there), the start waits for that end and runs.
TEST(VantrelSingleInstance, AStartWhileTheFirstEndsRunsOnceItHasEnded) {
    Vantrel first;
    HWND main = first.WaitForMainWindow();
    const std::string ending = std::string(kInstanceMutex) + "-ending";
    KernelHandle mark(OpenEventA(SYNCHRONIZE, FALSE, ending.c_str()));
    PostMessageA(main, WM_CLOSE, 0, 0); // as its Close button does
    ASSERT_EQ(WaitForSingleObject(mark.Get(), 5000), WAIT_OBJECT_0);
    first.Process().Suspend();
    Vantrel second;
    EXPECT_EQ(second.Process().WaitForExit(1500), DWORD(STILL_ACTIVE)) << "it did not wait";
    first.Process().Resume();
    HWND next = second.WaitForMainWindow();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(second.Close(next), 0u);
}

// --- Start-up --------------------------------------------------------------------------------

TEST(VantrelStart, WorksInItsOwnFolderWhenStartedFromAnother) {
    test::ScratchFolder elsewhere;
    test::StartOptions options;
    options.workingFolder = elsewhere.Path();
    Vantrel program(options);
    HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(test::SamePath(test::CurrentFolderOf(program.Process().Handle()),
                               test::BuildFolder() + "\\"))
        << test::CurrentFolderOf(program.Process().Handle());
    EXPECT_EQ(program.Close(main), 0u);
}

TEST(VantrelStart, EndsInFrontWithTheTaskbarButtonBack) {
    Vantrel program;
    HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(test::WaitFor(
        [&] {
            DWORD owner = 0;
            GetWindowThreadProcessId(GetForegroundWindow(), &owner);
            return owner == program.Id();
        },
        3000))
        << "the program is in the foreground";
    HWND app = program.AppWindow();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(GetWindow(main, GW_OWNER), app);
    EXPECT_EQ(GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0)
        << "a tool window has no taskbar button";
    EXPECT_EQ(program.Close(main), 0u);
}

TEST(VantrelFlatButtons, EveryButtonAndTheCheckBoxOfTheMainWindowIsFlat) {
    Vantrel program;
    HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    std::map<int, HWND> byId;
    EnumChildWindows(main, &CollectById, reinterpret_cast<LPARAM>(&byId));
    int buttons = 0;
    for (const layout::Item& item : layout::kMainLayout) {
        auto it = byId.find(layout::ControlIdOf(layout::kMainLayout, item.name));
        if (it == byId.end()) continue; // graphic controls have no window
        SCOPED_TRACE(item.name);
        const LONG style = GetWindowLongA(it->second, GWL_STYLE);
        if (item.kind == layout::Kind::Button || item.kind == layout::Kind::CheckBox) {
            ++buttons;
            EXPECT_TRUE(style & BS_FLAT);
        }
    }
    EXPECT_EQ(buttons, 9) << "eight push buttons and the check box";
    EXPECT_EQ(program.Close(main), 0u);
}

// What Explorer's Properties and installer inventories read, through the system's own API.
TEST(VantrelVersionInfo, ReadsBackThroughTheVersionApi) {
    const std::string exe = test::VantrelExe();
    std::string block(GetFileVersionInfoSizeA(exe.c_str(), nullptr), '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, DWORD(block.size()), block.data()));
    auto query = [&](const std::string& path) -> void* {
        void* value = nullptr;
        UINT size = 0;
        return VerQueryValueA(block.data(), path.c_str(), &value, &size) && size ? value : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(37, 6)));
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(MAKELONG(37, 6)));
    EXPECT_EQ(fixed->dwFileVersionLS | fixed->dwProductVersionLS, 0u);
    const auto* language = static_cast<const WORD*>(query("\\VarFileInfo\\Translation"));
    ASSERT_NE(language, nullptr);
    char prefix[40];
    wsprintfA(prefix, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
    for (const auto& [name, expected] : std::initializer_list<std::pair<const char*, const char*>>{
             {"FileVersion", "6.37.0.0"},
             {"ProductVersion", "6.37.0.0"},
             {"ProductName", "Vantrel"},
             {"CompanyName", "Brunmark Software"},
             {"FileDescription", "Vantrel colour picker"},
             {"LegalCopyright", "Copyright (C) 2009 Brunmark Software"},
             {"OriginalFilename", "Vantrel.exe"}}) {
        const auto* value = static_cast<const char*>(query(prefix + std::string(name)));
        EXPECT_STREQ(value, expected) << name;
    }
}
// The guide beside the program opens cleanly in Notepad on any Windows and code page.
TEST(VantrelUserGuide, HasCrLfLineEndsAndPlainAsciiText) {
    std::ifstream file(test::BuildFolder() + "\\ReadMe.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GT(text.size(), 100u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n') << "byte " << i;
        ASSERT_EQ(c == '\r', text[i + 1] == '\n') << "byte " << i; // text[size()] is '\0'
        ASSERT_EQ(c == '\n', i > 0 && text[i - 1] == '\r') << "byte " << i;
    }
}

} // namespace
} // namespace vtl
