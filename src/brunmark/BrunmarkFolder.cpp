// The per-user data folder and the INI operations of the utility class. The folder's path is
// asked in UTF-16 and its files are opened with the UTF-16 calls: the 8-bit path of a folder
// whose name holds letters outside the code page names another folder, or none.
#include "brunmark/BrunmarkClass.h"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Handles.h"
#include "ui/WideText.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace vtl {

namespace {

bool DirectoryExists(const std::wstring& path) {
    const DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

template <typename T> struct TaskMemoryTraits {
    using Handle = T*;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { CoTaskMemFree(h); }
};
using ItemIdList = UniqueHandle<TaskMemoryTraits<ITEMIDLIST>>;
using TaskText = UniqueHandle<TaskMemoryTraits<wchar_t>>;

struct ShellFolderTraits {
    using Handle = IShellFolder*;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { h->Release(); }
};
using ShellFolder = UniqueHandle<ShellFolderTraits>;

ItemIdList SpecialFolderId(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    const HRESULT hr = SHGetSpecialFolderLocation(nullptr, csidl, &pidl);
    ItemIdList id(pidl);
    return SUCCEEDED(hr) ? std::move(id) : ItemIdList();
}

// The folder as the shell names it, of any length: for a message when it has no usable path.
std::wstring ShownName(const ItemIdList& id) {
    IShellFolder* desktop = nullptr;
    if (!id || FAILED(SHGetDesktopFolder(&desktop))) return {};
    const ShellFolder owner(desktop);
    STRRET name{};
    wchar_t* text = nullptr;
    if (FAILED(owner.Get()->GetDisplayNameOf(id.Get(), SHGDN_FORPARSING, &name)) ||
        FAILED(StrRetToStrW(&name, id.Get(), &text)))
        return {};
    return TaskText(text).Get();
}

} // namespace

bool FileExists(const std::string& path) {
    return FileExists(Widen(path));
}

bool FileExists(const std::wstring& path) {
    const DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring TBrunmark::GetSpecialFolder(int csidl) {
    const ItemIdList id = SpecialFolderId(csidl);
    wchar_t path[MAX_PATH] = {};
    if (!id || !SHGetPathFromIDListW(id.Get(), path)) return {};
    return path;
}

std::wstring TBrunmark::GetDataFolder(const std::string& name) {
    const std::wstring leaf = Widen(name.empty() ? Application().Title() : name);
    // Asked of the shell once a run; the folder itself is made again whenever it is missing.
    static const std::wstring base = GetSpecialFolder(CSIDL_APPDATA);
    if (base.empty()) {
        // Never a folder elsewhere instead (the root of the current drive): the user's files
        // are not there, and the guide does not send anyone there.
        const std::wstring shown = ShownName(SpecialFolderId(CSIDL_APPDATA));
        throw Error(shown.empty() ? L"Windows does not say where your application data folder is"
                                  : L"Unable to use folder\n" + shown + L"\\" + leaf +
                                        L"\nIts path is longer than Windows allows (" +
                                        std::to_wstring(MAX_PATH - 1) + L" characters)");
    }
    const std::wstring path = base + L"\\" + leaf;
    if (!DirectoryExists(path) && !CreateDirectoryW(path.c_str(), nullptr))
        throw EInOutError(L"Unable to create folder\n" + path, GetLastError());
    return path;
}

std::string TBrunmark::ReadIniString(const std::wstring& fileName, const std::string& section,
                                     const std::string& key) {
    wchar_t value[2048] = {};
    GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), L"", value, 2048,
                             fileName.c_str());
    return Narrow(value);
}

void TBrunmark::WriteIniString(const std::wstring& fileName, const std::string& section,
                               const std::string& key, const std::string& value) {
    // A file that does not exist yet is written in the code page, as the 8-bit call writes it.
    if (!WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                    Widen(value).c_str(), fileName.c_str()))
        throw Error(L"Unable to write to " + fileName);
}

} // namespace vtl
