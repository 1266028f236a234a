// The per-user data folder and the INI operations of the utility class.
#include "app/brunmark/BrunmarkClass.h"
#include "ui/Error.h"
#include "ui/Application.h"

#include <shlobj.h>

namespace vtl {

namespace {

bool DirectoryExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

struct ItemIdList {
    LPITEMIDLIST pidl = nullptr;
    ~ItemIdList() {
        if (pidl) CoTaskMemFree(pidl);
    }
};

} // namespace

std::string TBrunmark::GetSpecialFolder(int csidl) {
    ItemIdList id;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &id.pidl)) || !id.pidl) return {};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(id.pidl, path)) return {};
    return path;
}

std::string TBrunmark::GetDataFolder(const std::string& name) {
    const std::string base = GetSpecialFolder(CSIDL_APPDATA);
    const std::string path = base + "\\" + (name.empty() ? Application().Title() : name);
    if (!DirectoryExists(path) && !CreateDirectoryA(path.c_str(), nullptr))
        throw EInOutError("Unable to create folder " + path, GetLastError());
    return DirectoryExists(path) ? path : std::string();
}

std::string TBrunmark::ReadIniString(const std::string& fileName, const std::string& section,
                                     const std::string& key) {
    char value[2048] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                             fileName.c_str());
    return value;
}

void TBrunmark::WriteIniString(const std::string& fileName, const std::string& section,
                               const std::string& key, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName.c_str()))
        throw Error("Unable to write to " + fileName);
}

} // namespace vtl
