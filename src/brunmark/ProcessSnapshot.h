// The system's list of processes, taken with the tool-help functions of kernel32, which are
// looked up at run time (a system without them simply has no snapshot).
#pragma once

#include "ui/Handles.h"

#include <tlhelp32.h>

#include <functional>

namespace vtl {

class ProcessSnapshot {
  public:
    // Takes a snapshot of every kind (processes, threads, modules, heaps).
    ProcessSnapshot();

    // Walks the entries in snapshot order until found returns true; that entry is the result.
    // False at the end of the list, or when there is no snapshot.
    bool Find(const std::function<bool(const PROCESSENTRY32&)>& found, PROCESSENTRY32& entry) const;
    // Same, for the entry of one process id.
    bool FindProcess(DWORD processId, PROCESSENTRY32& entry) const;

    // Snapshots attempted by this process so far; lets tests see which paths take one.
    static unsigned long Taken();

  private:
    KernelHandle handle_;
};

} // namespace vtl
