// What the start-up benchmark's floor programs share: one window class whose window ends the
// program when it is destroyed, and the message loop.
#pragma once

#include <windows.h>

namespace vtl::bench {

inline LRESULT CALLBACK FloorWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

inline bool RegisterFloorClass(HINSTANCE instance, const char* name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &FloorWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

inline int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace vtl::bench
