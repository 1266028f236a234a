// The screen as the whole program sees it: its cursors and its monitors.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

namespace vtl {

// Program-wide cursors: numbered cursors registered once, and the cursor that overrides
// every window's own while it is not crDefault.
class TScreen {
  public:
    void RegisterCursor(int number, HCURSOR cursor);
    HCURSOR CursorHandle(int number) const;
    int Cursor() const { return cursor_; }
    void SetCursor(int number);

    // The monitors' rectangles in virtual-screen coordinates (negative left of or above the
    // primary one). Asked once and again after the display changes: under Wine each query
    // costs several round trips to the window server.
    const std::vector<RECT>& MonitorRects();
    void DisplayChanged() { monitors_.clear(); }

  private:
    std::map<int, HCURSOR> cursors_;
    int cursor_ = 0;
    std::vector<RECT> monitors_;
};

TScreen& Screen();

} // namespace vtl
