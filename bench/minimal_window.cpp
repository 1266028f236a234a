// The floor of the start-up benchmark: a Win32 program that opens one window and runs its
// message loop, nothing else. Built like Vantrel.exe (static, GUI subsystem).
#include "FloorWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    using namespace vtl::bench;
    if (!RegisterFloorClass(instance, "VtlMinimalWindow")) return 1;
    HWND wnd =
        CreateWindowA("VtlMinimalWindow", "Minimal", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      CW_USEDEFAULT, CW_USEDEFAULT, 261, 664, nullptr, nullptr, instance, nullptr);
    if (!wnd) return 1;
    ShowWindow(wnd, show);
    UpdateWindow(wnd);
    return RunMessageLoop();
}
