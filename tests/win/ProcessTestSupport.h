// Helpers for tests that start real processes: scratch folders, the Windows version Wine
// reports to one program, started processes that are always ended, and looks at other
// processes' windows and current folder.
#pragma once

#include "ui/Handles.h"

#include <functional>
#include <string>
#include <vector>

namespace vtl::test {

// This test program's file, the build folder above tests/, and Vantrel.exe in it.
std::string ExePath();
std::string BuildFolder();
std::string VantrelExe();
// The folder part of a path (no trailing backslash).
std::string FolderPart(const std::string& path);
bool SamePath(const std::string& a, const std::string& b);

// A new folder under the temporary folder, removed with its files at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Copies a file in under the given name; returns its path.
    std::string CopyIn(const std::string& source, const std::string& name) const;

  private:
    std::string path_;
};

// Makes Wine report a Windows version ("win98", "nt40", "win2k", "winxp", "win7") to programs
// with the given file name, through HKCU\Software\Wine\AppDefaults; removed at the end.
class WineVersionFor {
  public:
    WineVersionFor(const std::string& exeName, const std::string& version);
    ~WineVersionFor();
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;

  private:
    std::string key_;
};

struct StartOptions {
    std::string arguments;     // after the program's quoted path
    std::string workingFolder; // "" for ours
    bool suspended = false;
    // One environment variable added for the child ("" for none).
    std::string envName, envValue;
    // A file that takes the child's standard output and error ("" to share ours).
    std::string outputFile;
};

// A started process; terminated at the end if it still runs.
class ChildProcess {
  public:
    explicit ChildProcess(const std::string& exe, const StartOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    void Resume();
    void Suspend() { SuspendThread(thread_.Get()); }
    bool Running() const;
    // Waits, pumping this thread's messages, for the end; the exit code, or STILL_ACTIVE.
    DWORD WaitForExit(unsigned ms);
    void Terminate();

  private:
    KernelHandle process_, thread_;
    DWORD id_ = 0;
};

// Pumps this thread's messages until done() is true or ms have passed; returns done().
bool WaitFor(const std::function<bool()>& done, unsigned ms);

// Top-level windows of a process (of one class when given), in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr);
// A window's text, read with WM_GETTEXT so that it works across processes.
std::string TextOf(HWND wnd);
// Another process's current folder, as its process parameters hold it.
std::string CurrentFolderOf(HANDLE process);

} // namespace vtl::test
