#include "WinTestSupport.h"

#include "color/FpuModel.h"

#include <shlobj.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace vtl::test {

std::vector<std::string>& ReportedErrors() {
    static std::vector<std::string> errors;
    return errors;
}

void PumpPending() {
    Application().ProcessMessages();
    Application().Idle();
}

void PumpFor(unsigned ms) {
    const DWORD end = GetTickCount() + ms;
    while (int(end - GetTickCount()) > 0) {
        Application().ProcessMessages();
        Application().Idle();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Application().ProcessMessages();
}

std::string DataFolder() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::string(appData) + "\\Vantrel";
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

void ResetDataFolder() {
    const std::string folder = DataFolder();
    const DWORD attr = GetFileAttributesA(folder.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return;
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(folder.c_str());
        return;
    }
    RemoveFolder(folder);
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void ClickAt(HWND wnd, int x, int y, UINT down, UINT up) {
    const WPARAM held = down == WM_LBUTTONDOWN   ? MK_LBUTTON
                        : down == WM_RBUTTONDOWN ? MK_RBUTTON
                                                 : MK_MBUTTON;
    SendMessageA(wnd, down, held, MAKELPARAM(x, y));
    SendMessageA(wnd, up, 0, MAKELPARAM(x, y));
}

} // namespace vtl::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vtl::EnsureFpuModel();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    vtl::Application().Initialize();
    vtl::Application().OnException = [](const std::string& message) {
        vtl::test::ReportedErrors().push_back(message);
    };
    return RUN_ALL_TESTS();
}
