// Display scaling. Layouts, fonts and artwork are designed at 96 dpi and scaled for the DPI of
// the window they are shown in; screen coordinates (the pointer, a grab, the monitors) are
// physical pixels and never scaled.
#pragma once

#include "ui/LayoutItem.h"
#include "ui/Win32.h"

namespace vtl {

using layout::kBaseDpi;

// A 96-dpi length at the given DPI, rounded as the artwork is drawn (layout::Scaled).
inline constexpr auto& ScaleBy = layout::Scaled;

// A 96-dpi rectangle at the given DPI, scaled by its edges: rectangles that touch at 96 dpi
// still touch.
inline RECT ScaleRect(int left, int top, int width, int height, int dpi) {
    return {ScaleBy(left, dpi), ScaleBy(top, dpi), ScaleBy(left + width, dpi),
            ScaleBy(top + height, dpi)};
}

// The DPI a window is drawn at: the window's own where the system knows it, else its
// monitor's, else the system's. Systems before Windows 8.1 have one DPI for all.
int WindowDpi(HWND wnd);

// The system's DPI: what it sizes its own fonts and metrics for, and the scale the shell draws
// the taskbar, Alt+Tab and the tray icons at, whatever the monitor of a program's window.
int SystemDpi();

// The window size that gives this client size at a DPI, frame included.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// WM_GETDPISCALEDSIZE and WM_DPICHANGED, which headers for older systems lack.
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

} // namespace vtl
