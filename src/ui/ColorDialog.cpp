#include "ui/ColorDialog.h"

#include "ui/Error.h"
#include "ui/Handles.h"
#include "ui/ModalScope.h"

#include <commdlg.h>

namespace vtl {

namespace {

UINT_PTR CALLBACK PlaceColorDialog(HWND dialog, UINT msg, WPARAM, LPARAM lp) {
    if (msg != WM_INITDIALOG) return 0;
    const auto* cc = reinterpret_cast<const CHOOSECOLORA*>(lp);
    HMONITOR monitor =
        MonitorFromWindow(reinterpret_cast<HWND>(cc->lCustData), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    RECT r;
    if (!GetMonitorInfoA(monitor, &mi) || !GetWindowRect(dialog, &r)) return 0;
    const RECT& area = mi.rcWork;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = area.left + (area.right - area.left - w) / 2;
    const int y = area.top + (area.bottom - area.top - h) / 3;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// The dialog's library is loaded at the dialog's first use and kept for the run, not loaded
// with the program: under Wine that costs every start several milliseconds.
BOOL RunChooseColor(CHOOSECOLORA& cc) {
    static const LibraryHandle library = LoadSystemLibrary("comdlg32.dll");
    static const auto choose =
        SystemFunction<decltype(&ChooseColorA)>(library.Get(), "ChooseColorA");
    if (!choose) throw Error("The colour dialog is not available");
    return choose(&cc);
}

} // namespace

bool ChooseColorAt(HWND owner, HWND over, COLORREF& color, std::array<COLORREF, 16>& custom) {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = color;
    cc.lpCustColors = custom.data();
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_SHOWHELP |
               CC_SOLIDCOLOR | CC_ANYCOLOR;
    cc.lpfnHook = &PlaceColorDialog;
    cc.lCustData = reinterpret_cast<LPARAM>(over);
    const TModalScope modal(owner);
    if (!RunChooseColor(cc)) return false;
    color = cc.rgbResult;
    return true;
}

} // namespace vtl
