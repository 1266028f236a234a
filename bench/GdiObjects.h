// The number of GDI objects the process holds now (stock objects not counted), or -1 when it
// cannot be told. Windows answers GetGuiResources; Wine's is a stub that answers 0, so there
// the process's GDI handle table (which Wine keeps per process, reachable from the process
// environment block as on Windows) is walked, each entry confirmed by GetObjectType.
#pragma once

#include <windows.h>

#include <cstring>

namespace vtl::bench {

inline int LiveGdiObjects() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
#if defined(__i386__)
    // Wine's table entry: 8-byte object, 4-byte owner, 2-byte unique (the handle's upper word,
    // 0x80 marks stock objects), 1-byte type, 1-byte flags, 8-byte user pointer.
    constexpr size_t kEntrySize = 24, kUniqueAt = 12, kTypeAt = 14, kEntries = 16384;
    const unsigned char* peb;
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
    const unsigned char* table;
    std::memcpy(&table, peb + 0x94, sizeof table); // GdiSharedHandleTable
    if (!table) return -1;
    auto unique = [&](size_t i) {
        WORD u;
        std::memcpy(&u, table + i * kEntrySize + kUniqueAt, sizeof u);
        return u;
    };
    // The layout is the one above only if a new object's entry says so.
    HBRUSH probe = CreateSolidBrush(0);
    const DWORD probeHandle = DWORD(reinterpret_cast<ULONG_PTR>(probe));
    const bool layoutKnown =
        LOWORD(probeHandle) < kEntries && unique(LOWORD(probeHandle)) == HIWORD(probeHandle);
    DeleteObject(probe);
    if (!layoutKnown) return -1;
    int count = 0;
    for (size_t i = 0; i < kEntries; ++i) {
        const WORD u = unique(i);
        if (table[i * kEntrySize + kTypeAt] == 0 || (u & 0x80)) continue;
        const auto handle = reinterpret_cast<HGDIOBJ>(ULONG_PTR(i | (DWORD(u) << 16)));
        if (GetObjectType(handle) != 0) ++count;
    }
    return count;
#else
    return -1;
#endif
}

} // namespace vtl::bench
