#include "brunmark/ProcessSnapshot.h"

namespace vtl {

namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

constexpr DWORD kSnapAll = 15; // heap lists, processes, threads and modules
// The entry size the snapshot functions expect from a 32-bit program.
static_assert(sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 of the 8-bit entry points");

struct ToolHelp {
    CreateSnapshotFn create = nullptr;
    WalkFn first = nullptr;
    WalkFn next = nullptr;

    ToolHelp() {
        // kernel32 is loaded in every process, so no reference needs to be held or freed.
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        create = SystemFunction<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
        first = SystemFunction<WalkFn>(kernel, "Process32First");
        next = SystemFunction<WalkFn>(kernel, "Process32Next");
    }
    bool Complete() const { return create && first && next; }
};

const ToolHelp& Functions() {
    static const ToolHelp functions;
    return functions;
}

unsigned long& TakenCounter() {
    static unsigned long taken = 0;
    return taken;
}

} // namespace

ProcessSnapshot::ProcessSnapshot() {
    ++TakenCounter();
    const ToolHelp& f = Functions();
    if (!f.Complete()) return;
    HANDLE h = f.create(kSnapAll, 0);
    if (h != INVALID_HANDLE_VALUE) handle_.Reset(h);
}

unsigned long ProcessSnapshot::Taken() {
    return TakenCounter();
}

bool ProcessSnapshot::Find(const std::function<bool(const PROCESSENTRY32&)>& found,
                           PROCESSENTRY32& entry) const {
    if (!handle_) return false;
    const ToolHelp& f = Functions();
    entry = PROCESSENTRY32{};
    entry.dwSize = sizeof entry;
    for (BOOL more = f.first(handle_.Get(), &entry); more; more = f.next(handle_.Get(), &entry))
        if (found(entry)) return true;
    return false;
}

bool ProcessSnapshot::FindProcess(DWORD processId, PROCESSENTRY32& entry) const {
    return Find([processId](const PROCESSENTRY32& e) { return e.th32ProcessID == processId; },
                entry);
}

} // namespace vtl
