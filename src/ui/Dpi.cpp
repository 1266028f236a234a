#include "ui/Dpi.h"

#include "ui/Handles.h"

namespace vtl {

namespace {

// Calls newer than Windows 2000 are looked up at run time, so that older systems still start.
struct DpiCalls {
    using ForWindowFn = UINT(WINAPI*)(HWND);
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using ForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    using ForSystemFn = UINT(WINAPI*)();

    DpiCalls() : shcore(LoadSystemLibrary("shcore.dll")) {
        const HMODULE user = GetModuleHandleA("user32.dll");
        forWindow = SystemFunction<ForWindowFn>(user, "GetDpiForWindow");
        monitorFromWindow = SystemFunction<MonitorFromWindowFn>(user, "MonitorFromWindow");
        adjustForDpi = SystemFunction<AdjustForDpiFn>(user, "AdjustWindowRectExForDpi");
        forSystem = SystemFunction<ForSystemFn>(user, "GetDpiForSystem");
        forMonitor = SystemFunction<ForMonitorFn>(shcore.Get(), "GetDpiForMonitor");
    }

    LibraryHandle shcore;
    ForWindowFn forWindow = nullptr;
    MonitorFromWindowFn monitorFromWindow = nullptr;
    ForMonitorFn forMonitor = nullptr;
    AdjustForDpiFn adjustForDpi = nullptr;
    ForSystemFn forSystem = nullptr;
};

const DpiCalls& Calls() {
    static const DpiCalls calls;
    return calls;
}

} // namespace

int SystemDpi() {
    if (Calls().forSystem)
        if (const UINT dpi = Calls().forSystem()) return int(dpi);
    WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND wnd) {
    const DpiCalls& calls = Calls();
    if (calls.forWindow && wnd)
        if (const UINT dpi = calls.forWindow(wnd)) return int(dpi);
    if (calls.forMonitor && calls.monitorFromWindow) {
        UINT x = 0, y = 0;
        // MDT_EFFECTIVE_DPI of the monitor nearest the window.
        if (SUCCEEDED(calls.forMonitor(calls.monitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), 0,
                                       &x, &y)) &&
            x > 0)
            return int(x);
    }
    return SystemDpi();
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    RECT r{0, 0, clientWidth, clientHeight};
    // The frame of a window that is not at the system's DPI is that of its own DPI.
    if (!Calls().adjustForDpi || !Calls().adjustForDpi(&r, style, FALSE, exStyle, UINT(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace vtl
