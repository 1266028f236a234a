#include "ui/Screen.h"

#include "ui/Control.h"

namespace vtl {

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

void TScreen::RegisterCursor(int number, HCURSOR cursor) {
    cursors_[number] = cursor;
}

HCURSOR TScreen::CursorHandle(int number) const {
    auto it = cursors_.find(number);
    if (it != cursors_.end()) return it->second;
    if (number == crHandPoint) return LoadCursor(nullptr, IDC_HAND);
    return LoadCursor(nullptr, IDC_ARROW);
}

void TScreen::SetCursor(int number) {
    cursor_ = number;
    ::SetCursor(CursorHandle(number));
}

namespace {
BOOL CALLBACK AddMonitorRect(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*r);
    return TRUE;
}
} // namespace

const std::vector<RECT>& TScreen::MonitorRects() {
    if (monitors_.empty()) {
        EnumDisplayMonitors(nullptr, nullptr, &AddMonitorRect,
                            reinterpret_cast<LPARAM>(&monitors_));
        if (monitors_.empty()) {
            const int x = GetSystemMetrics(SM_XVIRTUALSCREEN),
                      y = GetSystemMetrics(SM_YVIRTUALSCREEN);
            monitors_.push_back({x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                 y + GetSystemMetrics(SM_CYVIRTUALSCREEN)});
        }
    }
    return monitors_;
}

} // namespace vtl
