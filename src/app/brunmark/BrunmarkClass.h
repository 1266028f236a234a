// Static start-up, shell, process, folder and settings-file utilities of the program, and
// the flat-button styling. A class that is never instantiated.
#pragma once

#include "ui/Win32.h"

#include <string>

namespace vtl {

class TComponent;

class TBrunmark {
  public:
    TBrunmark() = delete;

    // Start-up and process utilities.
    static void CheckWindowsVersion();
    static bool IsWindows2000OrLater();
    static std::string GetProgramFolder();
    static std::string GetMD5Hex(const std::string& text);
    static void ForceForegroundWindow(HWND wnd);
    static DWORD GetTaskbarProcessId();
    static DWORD GetWindowProcessId(HWND wnd);
    static DWORD GetParentProcessId(DWORD processId);
    static std::string GetWindowsFolder();
    static DWORD FindProcessByImagePath(const std::string& path);
    static std::string GetProcessImagePath(DWORD processId);
    static bool ProcessExists(DWORD processId);
    static bool EnablePrivilege(const std::string& name);

    // The maker's links, opened with the shell; the results are not looked at.
    static constexpr const char* kContactMail = "contact@vantrel.example";
    static constexpr const char* kWebSite = "http://www.vantrel.example/";
    static void OpenContactMail();
    static void OpenWebSite();
    // A system message box owned by the application window, its caption chosen by the icon
    // bits of flags ("Information", "Warning", "Confirm", "Error", else the title); returns
    // the id of the button that closed it.
    static int ShowMsgBox(const std::string& text, int flags);
    static int ShowMsgBox(const std::wstring& text, int flags);

    // Flat push buttons and check boxes.
    static void MakeButtonsFlat(TComponent* component);
    static void MakeButtonFlat(TComponent* component);

    // The per-user data folder and INI files. Paths are UTF-16: the user's folder may hold
    // letters the code page has not. A folder that cannot be had raises an Error naming it.
    static std::wstring GetSpecialFolder(int csidl);
    static std::wstring GetDataFolder(const std::string& name = "");
    static std::string ReadIniString(const std::wstring& fileName, const std::string& section,
                                     const std::string& key);
    static void WriteIniString(const std::wstring& fileName, const std::string& section,
                               const std::string& key, const std::string& value);
};

// True for an existing file; false for a folder or nothing there.
bool FileExists(const std::string& path);
bool FileExists(const std::wstring& path);

} // namespace vtl
