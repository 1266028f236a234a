// Process utilities of TBrunmark: which process owns a window, its parent, its image file,
// and the search for a running program by its file. Failures give neutral results.
#include "brunmark/BrunmarkClass.h"

#include "brunmark/ProcessSnapshot.h"
#include "color/Text.h"

#include <cstring>

namespace vtl {

namespace {

using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

// PSAPI is not there on every system, so it is loaded when first wanted and kept for the run.
class Psapi {
  public:
    Psapi() : library_(LoadSystemLibrary("PSAPI.dll")) {
        enumModules_ = SystemFunction<EnumProcessModulesFn>(library_.Get(), "EnumProcessModules");
        moduleFileName_ =
            SystemFunction<GetModuleFileNameExFn>(library_.Get(), "GetModuleFileNameExA");
    }

    // The file of the process's first module (its program file), or "" when unreadable.
    std::string FirstModuleFile(HANDLE process) const {
        if (!enumModules_ || !moduleFileName_) return {};
        HMODULE first = nullptr;
        DWORD needed = 0;
        if (!enumModules_(process, &first, sizeof first, &needed)) return {};
        char name[MAX_PATH] = {};
        moduleFileName_(process, first, name, MAX_PATH);
        return std::string(name, strnlen(name, MAX_PATH));
    }

  private:
    LibraryHandle library_;
    EnumProcessModulesFn enumModules_ = nullptr;
    GetModuleFileNameExFn moduleFileName_ = nullptr;
};

const Psapi& PsapiFunctions() {
    static const Psapi psapi;
    return psapi;
}

std::string ShortPath(const std::string& path) {
    if (path.empty()) return {};
    const DWORD size = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::string shortPath(size, '\0');
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return {};
    shortPath.resize(length);
    return shortPath;
}

// The form image paths are compared in: short (8.3) path, lower case.
std::string ComparableImagePath(const std::string& path) {
    return LowerCase(ShortPath(path));
}

} // namespace

DWORD TBrunmark::GetWindowProcessId(HWND wnd) {
    if (!IsWindow(wnd)) return 0xFFFFFFFF;
    DWORD processId = 0;
    GetWindowThreadProcessId(wnd, &processId);
    return processId;
}

DWORD TBrunmark::GetParentProcessId(DWORD processId) {
    // Asked of the process itself where the system answers that (a snapshot of every process
    // costs Wine several milliseconds at each start); the snapshot where it does not.
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query =
        SystemFunction<QueryFn>(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    if (query) {
        const bool self = processId == GetCurrentProcessId();
        KernelHandle other(self ? nullptr
                                : OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
        struct {
            LONG exitStatus;
            void* peb;
            ULONG_PTR affinity;
            LONG basePriority;
            ULONG_PTR processId, parentId;
        } info{};
        if ((self || other) && query(self ? GetCurrentProcess() : other.Get(),
                                     0 /* basic information */, &info, sizeof info, nullptr) >= 0)
            return DWORD(info.parentId);
    }
    PROCESSENTRY32 entry;
    return ProcessSnapshot().FindProcess(processId, entry) ? entry.th32ParentProcessID : 0;
}

DWORD TBrunmark::FindProcessByImagePath(const std::string& path) {
    if (!FileExists(path)) return 0;
    const std::string target = ComparableImagePath(path);
    // Without a target every process whose image cannot be read would match.
    if (target.empty()) return 0;
    ProcessSnapshot snapshot;
    PROCESSENTRY32 entry;
    const bool found = snapshot.Find(
        [&target](const PROCESSENTRY32& e) {
            return ComparableImagePath(GetProcessImagePath(e.th32ProcessID)) == target;
        },
        entry);
    return found ? entry.th32ProcessID : 0;
}

std::string TBrunmark::GetProcessImagePath(DWORD processId) {
    if (!ProcessExists(processId)) return {};
    EnablePrivilege("SeDebugPrivilege");
    KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return {};
    return PsapiFunctions().FirstModuleFile(process.Get());
}

bool TBrunmark::ProcessExists(DWORD processId) {
    // Ids with the top bit set are not process ids; no snapshot is needed to say so.
    if (static_cast<LONG>(processId) < 0) return false;
    PROCESSENTRY32 entry;
    return ProcessSnapshot().FindProcess(processId, entry);
}

bool TBrunmark::EnablePrivilege(const std::string& name) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &raw)) return false;
    KernelHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    if (!LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    static_assert(sizeof privileges == 16, "one privilege");
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof privileges, nullptr,
                                 nullptr) != FALSE;
}

} // namespace vtl
