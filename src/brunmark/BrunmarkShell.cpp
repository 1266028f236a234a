// Start-up and shell utilities of TBrunmark: the version test, the program's folder, the
// mutex name, the foreground, the taskbar and the maker's links.
#include "brunmark/BrunmarkClass.h"

#include "brunmark/Md5.h"
#include "ui/Application.h"

#include <shellapi.h>

namespace vtl {

namespace {

OSVERSIONINFOA WindowsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        version = OSVERSIONINFOA{};
        version.dwOSVersionInfoSize = sizeof version;
    }
    return version;
}

bool IsDelimiter(char c) {
    return c == '\\' || c == ':';
}

// The folder part of a full path without its trailing backslash, except that a root keeps it
// ("C:\" rather than "C:", which would mean the current folder of drive C).
std::string FolderOf(const std::string& path) {
    const size_t last = path.find_last_of("\\:");
    if (last == std::string::npos) return {};
    size_t length = last + 1;
    if (path[last] == '\\' && last > 0 && !IsDelimiter(path[last - 1])) length = last;
    return path.substr(0, length);
}

} // namespace

void TBrunmark::CheckWindowsVersion() {
    if (IsWindows2000OrLater()) return;
    MessageBoxA(nullptr, "This program must be run under Windows 2000 or later.", "Error",
                MB_ICONERROR);
    ExitProcess(0);
}

bool TBrunmark::IsWindows2000OrLater() {
    const OSVERSIONINFOA version = WindowsVersion();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

std::string TBrunmark::GetProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        // Cut short: try again with room for the longest path there can be.
        if (path.size() >= 0x8000) return {};
        path.resize(path.size() * 2);
    }
    return FolderOf(path);
}

std::string TBrunmark::GetMD5Hex(const std::string& text) {
    return Md5Hex(text);
}

void TBrunmark::ForceForegroundWindow(HWND wnd) {
    // Joined to the foreground thread's input for the one call, the window may take the front.
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const DWORD windowThread = GetWindowThreadProcessId(wnd, nullptr);
    AttachThreadInput(foregroundThread, windowThread, TRUE);
    SetForegroundWindow(wnd);
    AttachThreadInput(foregroundThread, windowThread, FALSE);
}

DWORD TBrunmark::GetTaskbarProcessId() {
    DWORD processId = 0;
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr))
        if (GetWindowThreadProcessId(tray, &processId) == 0) processId = 0;
    if (processId == 0) {
        // Version x.0 (2000, Vista) may run its shell before the taskbar window exists.
        const OSVERSIONINFOA version = WindowsVersion();
        if (version.dwMajorVersion >= 5 && version.dwMinorVersion == 0)
            processId = FindProcessByImagePath(GetWindowsFolder() + "\\Explorer.EXE");
    }
    return processId;
}

std::string TBrunmark::GetWindowsFolder() {
    const UINT size = GetWindowsDirectoryA(nullptr, 0);
    if (size == 0) return {};
    std::string folder(size, '\0');
    const UINT length = GetWindowsDirectoryA(folder.data(), size);
    folder.resize(length < size ? length : 0);
    return folder;
}

namespace {
void OpenWithShell(const std::string& file) {
    // No mail program or browser: the shell says so itself, or nothing happens.
    ShellExecuteA(Application().Handle(), "open", file.c_str(), nullptr, nullptr, SW_SHOW);
}
} // namespace

void TBrunmark::OpenContactMail() {
    OpenWithShell(std::string("mailto:") + kContactMail);
}

void TBrunmark::OpenWebSite() {
    OpenWithShell(kWebSite);
}

} // namespace vtl
