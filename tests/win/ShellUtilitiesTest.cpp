// The shell and process utilities of TBrunmark and the single-instance rule, in this process
// and with real child processes: copies of this test program that run one of the helpers at
// the end of this file, some of them told by Wine that they run on Windows 2000.
#include "ProcessTestSupport.h"
#include "WinTestSupport.h"

#include "brunmark/BrunmarkClass.h"
#include "brunmark/ProcessSnapshot.h"
#include "app/SingleInstance.h"
#include "shell/TrayIconMan.h"
#include "ui/Form.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vtl {
namespace {

constexpr const char* kReportVariable = "VTL_TEST_REPORT";

// Runs a copy of this test program with one helper; its report, "" when it did not run.
std::string RunHelper(const std::string& exe, const std::string& helper,
                      const test::ScratchFolder& folder) {
    const std::string report = folder.File("report-" + helper + ".txt");
    test::StartOptions options;
    options.arguments =
        "--gtest_also_run_disabled_tests --gtest_filter=ChildHelper.DISABLED_" + helper;
    options.envName = kReportVariable;
    options.envValue = report;
    options.outputFile = folder.File("output-" + helper + ".txt");
    test::ChildProcess child(exe, options);
    EXPECT_EQ(child.WaitForExit(30000), 0u) << helper << " failed in the child:\n"
                                            << test::ReadFileText(options.outputFile);
    return test::ReadFileText(report);
}

// Starts a copy of this test program that stays alive until it is ended.
class LivingHelper {
  public:
    LivingHelper(const std::string& exe, const test::ScratchFolder& folder)
        : report_(folder.File("alive-" + std::to_string(GetTickCount()) + ".txt")),
          child_(exe, Options(report_)) {
        // Ready once it reports: by then its modules are loaded and listed.
        test::WaitFor([this] { return !test::ReadFileText(report_).empty(); }, 30000);
    }
    DWORD Id() const { return child_.Id(); }

  private:
    static test::StartOptions Options(const std::string& report) {
        test::StartOptions options;
        options.arguments =
            "--gtest_also_run_disabled_tests --gtest_filter=ChildHelper.DISABLED_StayAlive";
        options.envName = kReportVariable;
        options.envValue = report;
        options.outputFile = report + ".output";
        return options;
    }
    std::string report_;
    test::ChildProcess child_;
};

// What GetTaskbarProcessId sees from a thread on a desktop of its own, where there is no
// taskbar window.
struct TaskbarProbe {
    bool ready = false;
    bool trayFound = true;
    unsigned long snapshots = 0;
    DWORD processId = 0;
};

TaskbarProbe ProbeTaskbarFromOwnDesktop() {
    TaskbarProbe probe;
    const std::string name = "vtl-probe-" + std::to_string(GetCurrentProcessId());
    HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop) return probe;
    test::Thread([&] {
        if (!SetThreadDesktop(desktop)) return;
        probe.ready = true;
        probe.trayFound = FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
        const unsigned long before = ProcessSnapshot::Taken();
        probe.processId = TBrunmark::GetTaskbarProcessId();
        probe.snapshots = ProcessSnapshot::Taken() - before;
    }).Join();
    CloseDesktop(desktop);
    return probe;
}

// The exe name of a process as the snapshot lists it.
std::string ExeNameOf(DWORD processId) {
    PROCESSENTRY32 entry;
    return ProcessSnapshot().FindProcess(processId, entry) ? entry.szExeFile : "";
}

// A wait on a mutex from a thread that does not own it.
DWORD WaitFromAnotherThread(HANDLE mutex) {
    DWORD result = 0;
    test::Thread([&] {
        result = WaitForSingleObject(mutex, 0);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) ReleaseMutex(mutex);
    }).Join();
    return result;
}

OSVERSIONINFOA ReportedVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version;
}

std::string UniqueName(const char* what) {
    return std::string("vtl-test-") + what + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
}

// --- Windows and processes ------------------------------------------------------------------

TEST(WindowProcessId, OwnWindowsOtherProcessesWindowsAndNonWindows) {
    TForm form;
    EXPECT_EQ(TBrunmark::GetWindowProcessId(form.Handle()), GetCurrentProcessId());
    EXPECT_EQ(TBrunmark::GetWindowProcessId(nullptr), 0xFFFFFFFFu);
    HWND gone = nullptr;
    {
        TForm shortLived;
        gone = shortLived.Handle();
    }
    EXPECT_EQ(TBrunmark::GetWindowProcessId(gone), 0xFFFFFFFFu);
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) {
        EXPECT_TRUE(test::SamePath(ExeNameOf(TBrunmark::GetWindowProcessId(tray)), "explorer.exe"));
    }
}

TEST(ParentProcessId, IsTheStarterAndZeroForAnUnknownId) {
    test::StartOptions suspended;
    suspended.suspended = true;
    test::ChildProcess child(test::ExePath(), suspended);
    EXPECT_EQ(TBrunmark::GetParentProcessId(child.Id()), GetCurrentProcessId());
    // The process asks about itself another way: the answer is the snapshot's.
    PROCESSENTRY32 self;
    ASSERT_TRUE(ProcessSnapshot().FindProcess(GetCurrentProcessId(), self));
    EXPECT_EQ(TBrunmark::GetParentProcessId(GetCurrentProcessId()), self.th32ParentProcessID);
    EXPECT_EQ(TBrunmark::GetParentProcessId(0xFFFFFFF0u), 0u);
    EXPECT_EQ(TBrunmark::GetParentProcessId(0x7FFFFFF0u), 0u);
}

TEST(ProcessExists, RunningAndEndedProcessesAndNegativeIdsWithoutASnapshot) {
    EXPECT_TRUE(TBrunmark::ProcessExists(GetCurrentProcessId()));
    DWORD endedId = 0;
    {
        test::StartOptions suspended;
        suspended.suspended = true;
        test::ChildProcess child(test::ExePath(), suspended);
        endedId = child.Id();
        const unsigned long before = ProcessSnapshot::Taken();
        EXPECT_TRUE(TBrunmark::ProcessExists(endedId));
        EXPECT_EQ(ProcessSnapshot::Taken(), before + 1);
    }
    EXPECT_FALSE(TBrunmark::ProcessExists(endedId));

    const unsigned long before = ProcessSnapshot::Taken();
    EXPECT_FALSE(TBrunmark::ProcessExists(0x80000000u));
    EXPECT_FALSE(TBrunmark::ProcessExists(0xFFFFFFFFu));
    EXPECT_EQ(TBrunmark::GetProcessImagePath(0xFFFFFFFFu), "");
    EXPECT_EQ(ProcessSnapshot::Taken(), before) << "no snapshot for a negative id";
}

TEST(ProcessImagePath, OfThisAndOfAnotherRunningProgram) {
    EXPECT_TRUE(
        test::SamePath(TBrunmark::GetProcessImagePath(GetCurrentProcessId()), test::ExePath()));
    test::ScratchFolder folder;
    const std::string copy = folder.CopyIn(test::ExePath(), "vtl_image.exe");
    LivingHelper helper(copy, folder);
    EXPECT_TRUE(test::SamePath(TBrunmark::GetProcessImagePath(helper.Id()), copy));
    EXPECT_EQ(TBrunmark::GetProcessImagePath(0x7FFFFFF0u), "");
}

TEST(FindProcessByImagePath, FindsTheProcessRunningAFileWhateverTheCase) {
    test::ScratchFolder folder;
    const std::string running = folder.CopyIn(test::ExePath(), "vtl_find.exe");
    const std::string idle = folder.CopyIn(test::ExePath(), "vtl_idle.exe");
    LivingHelper helper(running, folder);
    EXPECT_EQ(TBrunmark::FindProcessByImagePath(running), helper.Id());
    std::string upper = running;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    EXPECT_EQ(TBrunmark::FindProcessByImagePath(upper), helper.Id());
    EXPECT_EQ(TBrunmark::FindProcessByImagePath(idle), 0u) << "a file no process runs";
    EXPECT_EQ(TBrunmark::FindProcessByImagePath(folder.File("missing.exe")), 0u);
    EXPECT_EQ(TBrunmark::FindProcessByImagePath(folder.Path()), 0u) << "a folder";
}

TEST(FindProcessByImagePath, FindsTheRunningShellByItsFile) {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) GTEST_SKIP() << "no taskbar window on this desktop";
    DWORD shell = 0;
    GetWindowThreadProcessId(tray, &shell);
    const std::string image = TBrunmark::GetProcessImagePath(shell);
    // A 32-bit program cannot read the modules of a 64-bit shell.
    if (image.empty()) GTEST_SKIP() << "the shell's image cannot be read from here";
    EXPECT_EQ(TBrunmark::FindProcessByImagePath(image), shell) << image;
}

TEST(EnablePrivilege, KnownAndUnknownPrivileges) {
    EXPECT_TRUE(TBrunmark::EnablePrivilege("SeDebugPrivilege"));
    EXPECT_FALSE(TBrunmark::EnablePrivilege("SeNoSuchThingPrivilege"));
}

TEST(ForceForegroundWindow, BringsTheWindowToTheFront) {
    TForm back, front;
    for (TForm* f : {&back, &front}) {
        f->SetClientSize(120, 60);
        f->Show();
    }
    SetForegroundWindow(back.Handle());
    ASSERT_TRUE(test::WaitFor([&] { return GetForegroundWindow() == back.Handle(); }, 2000));
    TBrunmark::ForceForegroundWindow(front.Handle());
    EXPECT_TRUE(test::WaitFor([&] { return GetForegroundWindow() == front.Handle(); }, 2000));
}

// --- Folders -------------------------------------------------------------------------------

TEST(Folders, WindowsFolderAndProgramFolder) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(TBrunmark::GetWindowsFolder(), windows);
    EXPECT_EQ(TBrunmark::GetProgramFolder(), test::FolderPart(test::ExePath()));

    test::ScratchFolder folder;
    const std::string copy = folder.CopyIn(test::ExePath(), "vtl_folder.exe");
    test::ScratchFolder reports;
    EXPECT_EQ(RunHelper(copy, "ReportProgramFolder", reports), folder.Path());
}

TEST(Folders, AProgramInADriveRootKeepsTheBackslash) {
    // "C:" alone would name drive C's current folder, not its root.
    const std::string root = TBrunmark::GetWindowsFolder().substr(0, 3);
    const std::string copy = root + "vtl-root-" + std::to_string(GetCurrentProcessId()) + ".exe";
    ASSERT_TRUE(CopyFileA(test::ExePath().c_str(), copy.c_str(), FALSE));
    struct Remove {
        std::string path;
        ~Remove() { DeleteFileA(path.c_str()); }
    } remove{copy};
    test::ScratchFolder reports;
    EXPECT_EQ(RunHelper(copy, "ReportProgramFolder", reports), root);
}

// --- The taskbar ---------------------------------------------------------------------------

TEST(TaskbarProcessId, IsTheProcessOfTheTaskbarWindow) {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) GTEST_SKIP() << "no taskbar window on this desktop";
    DWORD owner = 0;
    GetWindowThreadProcessId(tray, &owner);
    const unsigned long before = ProcessSnapshot::Taken();
    EXPECT_EQ(TBrunmark::GetTaskbarProcessId(), owner);
    EXPECT_EQ(ProcessSnapshot::Taken(), before) << "no process search when the window exists";
}

TEST(TaskbarProcessId, WithoutATaskbarWindowOnVersionsOtherThanX0ItIsZero) {
    const OSVERSIONINFOA version = ReportedVersion();
    ASSERT_NE(version.dwMinorVersion, 0u) << "Wine reports Windows 7 unless told otherwise";
    const TaskbarProbe probe = ProbeTaskbarFromOwnDesktop();
    ASSERT_TRUE(probe.ready);
    ASSERT_FALSE(probe.trayFound);
    EXPECT_EQ(probe.processId, 0u);
    EXPECT_EQ(probe.snapshots, 0u) << "no search for Explorer";
}

TEST(TaskbarProcessId, WithoutATaskbarWindowWindows2000LooksForExplorer) {
    test::ScratchFolder folder;
    const std::string copy = folder.CopyIn(test::ExePath(), "vtl_taskbar_w2k.exe");
    test::WineVersionFor reported("vtl_taskbar_w2k.exe", "win2k");
    std::istringstream report(RunHelper(copy, "ReportTaskbarFromOwnDesktop", folder));
    int major = -1, minor = -1, trayFound = -1;
    unsigned long snapshots = 0;
    DWORD processId = 0;
    report >> major >> minor >> trayFound >> snapshots >> processId;
    ASSERT_EQ(major, 5);
    ASSERT_EQ(minor, 0);
    ASSERT_EQ(trayFound, 0);
    EXPECT_GT(snapshots, 0u) << "the processes were searched for Explorer";
    // A 64-bit Explorer cannot be read from a 32-bit program, so none may be found.
    if (processId != 0) {
        EXPECT_TRUE(test::SamePath(ExeNameOf(processId), "explorer.exe")) << processId;
    }
}

int menusShown = 0; // counted and closed by a timer, which the menu's own loop dispatches
void CALLBACK CloseShownMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (IsWindowVisible(FindWindowA("#32768", nullptr)) && EndMenu()) ++menusShown;
}
// A second right click posted at once (the shell's cannot be timed so closely) is dispatched
// while the first pumps before its menu: it must not open a second menu.
TEST(TrayIconMan, ARightClickQueuedWhileTheMenuOpensOpensNoSecondMenu) {
    TPopupMenu menu(nullptr);
    menu.Add("Item");
    TTrayIconMan tray;
    tray.AddIcon(Application().Icon(), "Vantrel", &menu, [] {});
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, CloseShownMenu);
    for (int click = 0; click < 2; ++click)
        PostMessageA(tray.Handle(), kMsgTrayCallback, 0, WM_RBUTTONUP);
    test::PumpFor(2000);
    KillTimer(nullptr, timer);
    EXPECT_EQ(menusShown, 1);
}

// --- The single instance -------------------------------------------------------------------

TEST(SingleInstance, RunsOnceOwningTheMutexAndReleasesItAtTheEnd) {
    const std::string name = UniqueName("instance"), appName = UniqueName("app");
    KernelHandle seen;
    bool ran = false, nestedRan = false, nested = true;
    EXPECT_TRUE(RunAsSingleInstance(name, appName, [&] {
        ran = true;
        seen.Reset(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str()));
        EXPECT_EQ(WaitFromAnotherThread(seen.Get()), DWORD(WAIT_TIMEOUT)) << "owned by us";
        KernelHandle app(OpenMutexA(SYNCHRONIZE, FALSE, appName.c_str()));
        EXPECT_TRUE(app) << "the second mutex is open";
        nested = RunAsSingleInstance(name, appName, [&] { nestedRan = true; });
    }));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(nested) << "a second instance ends";
    EXPECT_FALSE(nestedRan);
    ASSERT_TRUE(seen);
    EXPECT_EQ(WaitFromAnotherThread(seen.Get()), WAIT_OBJECT_0) << "released";
}

TEST(SingleInstance, ReleasesTheMutexWhenTheRunFails) {
    const std::string name = UniqueName("failing");
    KernelHandle seen;
    EXPECT_THROW(RunAsSingleInstance(name, UniqueName("app"),
                                     [&] {
                                         seen.Reset(OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
                                         throw std::runtime_error("start-up failed");
                                     }),
                 std::runtime_error);
    ASSERT_TRUE(seen);
    EXPECT_EQ(WaitFromAnotherThread(seen.Get()), WAIT_OBJECT_0);
}

TEST(SingleInstance, AnExistingNameOfAnyKindMeansAnotherInstance) {
    const std::string name = UniqueName("taken");
    bool ran = false;
    {
        KernelHandle unowned(CreateMutexA(nullptr, FALSE, name.c_str()));
        EXPECT_FALSE(RunAsSingleInstance(name, UniqueName("app"), [&] { ran = true; }));
    }
    {
        // The mutex cannot be made at all when an event holds the name.
        KernelHandle event(CreateEventA(nullptr, TRUE, FALSE, name.c_str()));
        EXPECT_FALSE(RunAsSingleInstance(name, UniqueName("app"), [&] { ran = true; }));
    }
    EXPECT_FALSE(ran);
}

// --- Helpers run in child processes ---------------------------------------------------------

void Report(const std::string& text) {
    const char* path = std::getenv(kReportVariable);
    ASSERT_NE(path, nullptr);
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ChildHelper, DISABLED_ReportProgramFolder) {
    Report(TBrunmark::GetProgramFolder());
}

TEST(ChildHelper, DISABLED_StayAlive) {
    Report("ready");
    Sleep(60000);
}

TEST(ChildHelper, DISABLED_ReportTaskbarFromOwnDesktop) {
    const OSVERSIONINFOA version = ReportedVersion();
    const TaskbarProbe probe = ProbeTaskbarFromOwnDesktop();
    ASSERT_TRUE(probe.ready);
    Report(std::to_string(version.dwMajorVersion) + " " + std::to_string(version.dwMinorVersion) +
           " " + std::to_string(probe.trayFound ? 1 : 0) + " " + std::to_string(probe.snapshots) +
           " " + std::to_string(probe.processId));
}

} // namespace
} // namespace vtl
