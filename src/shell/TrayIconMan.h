// The program's icon in the taskbar's notification area: a left click reports to a handler,
// a right click opens a menu, both can be switched off while a modal dialog is open, and the
// icon comes back when the taskbar is recreated. An icon the shell refused is offered again
// on a timer, and the owner can ask whether it is really there before hiding to it.
#pragma once

#include "shell/TrayClickGuard.h"
#include "ui/HiddenWindow.h"
#include "ui/Timer.h"

#include <functional>
#include <string>

namespace vtl {

class TPopupMenu;

// The icon's notifications to its hidden window (0x401: the window class is ours, so nothing
// else numbers a message there).
constexpr UINT kMsgTrayCallback = WM_USER + 1;

class TTrayIconMan {
  public:
    using ClickHandler = std::function<void()>;

    TTrayIconMan();
    ~TTrayIconMan();
    TTrayIconMan(const TTrayIconMan&) = delete;
    TTrayIconMan& operator=(const TTrayIconMan&) = delete;

    // Hands the icon to the shell once; later calls change nothing. The icon is not owned.
    void AddIcon(HICON icon, const std::string& tip, TPopupMenu* menu, ClickHandler onClick);
    void RemoveIcon();
    // Switches the reactions to the mouse off (false) and on again.
    void EnableMenu(bool enabled);

    // The shell holds the icon now, so hiding to it leaves the program reachable.
    bool IconShown() const { return shown_; }
    bool MenuEnabled() const { return enabled_; }
    HWND Handle() const { return FWnd.Handle(); }

  private:
    bool TrayWndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void MouseEvent(UINT event);
    void ShowMenu();
    // NIM_ADD of the current record; until the shell takes it, the timer offers it again.
    void PutIcon();

    UINT FTaskbarCreatedMsg;
    bool FAdded = false;
    ClickHandler FOnClick;
    TPopupMenu* FMenu = nullptr;
    THiddenWindow FWnd;
    NOTIFYICONDATAA FIconData{};
    TTrayClickGuard clickGuard_;
    TTimer retry_;
    bool shown_ = false;
    bool enabled_ = true;
    bool menuOpen_ = false;
};

} // namespace vtl
