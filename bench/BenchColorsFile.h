// The colors.ini the program under benchmark uses: the one in the test prefix's data folder,
// which the benchmarks replace or remove.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

inline std::string ColorsFile() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    const std::string folder = std::string(appData) + "\\Vantrel";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\colors.ini";
}
