// Tooltips for the graphic children of one window: a standard tooltip control with one tool per
// child that shows a hint. The tools catch up with the children whenever the mouse moves over
// the window, so a control needs no notification when its hint, bounds or visibility change.
#pragma once

#include "ui/Win32.h"

#include <map>
#include <string>
#include <vector>

namespace vtl {

class TControl;

class THintWindow {
  public:
    explicit THintWindow(HWND parent);
    ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // Whether any of these children would get a tool.
    static bool Wanted(const std::vector<TControl*>& children);

    HWND Handle() const { return handle_; }
    // The tips' font follows the parent's DPI: the tooltip control's own is for the system's.
    void FollowDpi(int dpi);
    // Brings the tools and the hide delay in line, then hands a mouse message of the parent
    // to the tooltip control.
    void Relay(const std::vector<TControl*>& children, UINT msg, WPARAM wp, LPARAM lp);
    void Update(const std::vector<TControl*>& children);
    // A child is going away.
    void Forget(const TControl* child);

  private:
    struct Tool {
        RECT rect;
        std::string text;
    };
    void AddTool(const TControl* child, const Tool& tool);
    void DeleteTool(const TControl* child);
    void ApplyHidePause();
    // Tips that are to stay until the pointer leaves would otherwise go after the tooltip
    // control's longest delay.
    void KeepUp();
    static void CALLBACK KeepUpTimer(HWND tooltip, UINT msg, UINT_PTR id, DWORD time);

    HWND parent_;
    HWND handle_ = nullptr;
    int dpi_;
    std::map<const TControl*, Tool> tools_;
    int hidePause_ = 0;
    bool hidePauseSet_ = false;
};

} // namespace vtl
