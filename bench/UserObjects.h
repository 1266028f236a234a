// The windows and menus this process holds now. GetGuiResources answers 0 under Wine, so the
// windows are enumerated (message-only ones included) and the menus are found by trying every
// user handle index with IsMenu, which accepts a handle's 16-bit form and only this process's
// menus. -1 when a new menu is not seen that way.
#pragma once

#include <windows.h>

namespace vtl::bench {

inline int LiveWindows() {
    struct Count {
        int n = 0;
        static BOOL CALLBACK Child(HWND, LPARAM p) {
            ++reinterpret_cast<Count*>(p)->n;
            return TRUE;
        }
        static BOOL CALLBACK Top(HWND w, LPARAM p) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != GetCurrentProcessId()) return TRUE;
            Child(w, p);
            EnumChildWindows(w, &Child, p);
            return TRUE;
        }
    } count;
    EnumWindows(&Count::Top, LPARAM(&count));
    for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr));)
        Count::Top(w, LPARAM(&count));
    return count.n;
}

inline int LiveMenus() {
    auto count = [] {
        int n = 0;
        for (ULONG_PTR h = 0x20; h < 0x10000; h += 2)
            n += IsMenu(reinterpret_cast<HMENU>(h)) ? 1 : 0;
        return n;
    };
    const int before = count();
    HMENU probe = CreatePopupMenu();
    const bool seen = count() == before + 1;
    DestroyMenu(probe);
    return seen ? before : -1;
}

} // namespace vtl::bench
