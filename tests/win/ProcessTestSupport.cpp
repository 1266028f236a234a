#include "ProcessTestSupport.h"

#include "WinTestSupport.h"

#include <winternl.h>

#include <stdexcept>

namespace vtl::test {

std::string ExePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string BuildFolder() {
    return FolderPart(FolderPart(ExePath())); // tests are built into <build>\tests
}

std::string VantrelExe() {
    return BuildFolder() + "\\Vantrel.exe";
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned serial = 0;
    const std::string base = std::string(temp) + "vtl-start-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount()) + "-";
    for (;;) {
        path_ = base + std::to_string(++serial);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no scratch folder");
    }
}

ScratchFolder::~ScratchFolder() {
    test::RemoveFolder(path_);
}

std::string ScratchFolder::CopyIn(const std::string& source, const std::string& name) const {
    const std::string target = File(name);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + source);
    return target;
}

WineVersionFor::WineVersionFor(const std::string& exeName, const std::string& version)
    : key_("Software\\Wine\\AppDefaults\\" + exeName) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write " + key_);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   DWORD(version.size() + 1));
    RegCloseKey(key);
}

WineVersionFor::~WineVersionFor() {
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

ChildProcess::ChildProcess(const std::string& exe, const StartOptions& options) {
    std::string command = "\"" + exe + "\"";
    if (!options.arguments.empty()) command += " " + options.arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    KernelHandle output;
    if (!options.outputFile.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output.Reset(CreateFileA(options.outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 &inherit, CREATE_ALWAYS, 0, nullptr));
        if (output.Get() == INVALID_HANDLE_VALUE) {
            output.Release();
            throw std::runtime_error("cannot create " + options.outputFile);
        }
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = output.Get();
    }
    PROCESS_INFORMATION pi{};
    const bool env = !options.envName.empty();
    if (env) SetEnvironmentVariableA(options.envName.c_str(), options.envValue.c_str());
    const BOOL started = CreateProcessA(
        exe.c_str(), command.data(), nullptr, nullptr, output ? TRUE : FALSE,
        options.suspended ? CREATE_SUSPENDED : 0, nullptr,
        options.workingFolder.empty() ? nullptr : options.workingFolder.c_str(), &si, &pi);
    if (env) SetEnvironmentVariableA(options.envName.c_str(), nullptr);
    if (!started) throw std::runtime_error("cannot start " + exe);
    process_.Reset(pi.hProcess);
    thread_.Reset(pi.hThread);
    id_ = pi.dwProcessId;
}

ChildProcess::~ChildProcess() {
    Terminate();
}

void ChildProcess::Resume() {
    ResumeThread(thread_.Get());
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::WaitForExit(unsigned ms) {
    WaitFor([this] { return !Running(); }, ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void ChildProcess::Terminate() {
    if (!Running()) return;
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
}

bool WaitFor(const std::function<bool()>& done, unsigned ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM lp) {
    auto& search = *reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    if (owner != search.processId) return TRUE;
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    if (!search.className || lstrcmpiA(name, search.className) == 0) search.found.push_back(wnd);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND wnd) {
    char text[512] = {};
    SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string CurrentFolderOf(HANDLE process) {
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    ULONG length = 0;
    if (!query || query(process, ProcessBasicInformation, &info, sizeof info, &length) != 0)
        return {};
    // 32-bit layouts: PEB.ProcessParameters at 0x10, its CurrentDirectory.DosPath at 0x24.
    DWORD parameters = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(info.PebBaseAddress) + 0x10,
                           &parameters, sizeof parameters, &read))
        return {};
    struct {
        USHORT length, maximum;
        DWORD buffer;
    } dosPath{};
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(uintptr_t(parameters) + 0x24),
                           &dosPath, sizeof dosPath, &read))
        return {};
    std::wstring wide(dosPath.length / 2, L'\0');
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(uintptr_t(dosPath.buffer)),
                           wide.data(), dosPath.length, &read))
        return {};
    char folder[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), int(wide.size()), folder, sizeof folder - 1,
                        nullptr, nullptr);
    return folder;
}

} // namespace vtl::test
