// The per-user data folder and the INI operations of the utility class.
#include "app/brunmark/BrunmarkClass.h"
#include "ui/Error.h"
#include "ui/Handles.h"
#include "ui/Application.h"

#include <shlobj.h>

namespace vtl {

namespace {

bool DirectoryExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

struct ItemIdListTraits {
    using Handle = LPITEMIDLIST;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { CoTaskMemFree(h); }
};
using ItemIdList = UniqueHandle<ItemIdListTraits>;

} // namespace

bool FileExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TBrunmark::GetSpecialFolder(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    const HRESULT hr = SHGetSpecialFolderLocation(nullptr, csidl, &pidl);
    const ItemIdList id(pidl);
    if (FAILED(hr) || !id) return {};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(id.Get(), path)) return {};
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
