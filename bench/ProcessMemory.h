// The memory the process has committed, in bytes: PagefileUsage, since Wine leaves
// PrivateUsage at 0.
#pragma once

#include <windows.h>

#include <psapi.h>

namespace vtl::bench {

inline SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PagefileUsage;
}

} // namespace vtl::bench
