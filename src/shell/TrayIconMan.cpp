#include "shell/TrayIconMan.h"

#include "brunmark/BrunmarkClass.h"
#include "ui/Application.h"
#include "ui/FlagScope.h"
#include "ui/Menus.h"

#include <shellapi.h>

#include <algorithm>

namespace vtl {

namespace {
// The record as shells since Windows 2000 read it, up to and including the balloon fields.
constexpr DWORD kIconDataSize = 488;
static_assert(NOTIFYICONDATAA_V2_SIZE == kIconDataSize);

constexpr UINT kRetryMs = 3000;
} // namespace

TTrayIconMan::TTrayIconMan()
    : FTaskbarCreatedMsg(RegisterWindowMessageA("TaskbarCreated")), retry_(nullptr, kRetryMs) {
    retry_.OnTimer = [this](TComponent&) { PutIcon(); }; // runs only while the shell refuses
    FWnd.SetHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        return TrayWndProc(msg, wp, lp, result);
    });
}

TTrayIconMan::~TTrayIconMan() {
    RemoveIcon();
    FWnd.SetHandler(nullptr);
}

void TTrayIconMan::AddIcon(HICON icon, const std::string& tip, TPopupMenu* menu,
                           ClickHandler onClick) {
    if (FAdded) return;
    FIconData = NOTIFYICONDATAA{};
    FIconData.cbSize = kIconDataSize;
    FIconData.hWnd = FWnd.Handle();
    FIconData.uID = 0;
    FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FIconData.uCallbackMessage = kMsgTrayCallback;
    FIconData.hIcon = icon;
    // A longer tip is cut to what the record holds.
    const size_t length = std::min(tip.size(), sizeof FIconData.szTip - 1);
    std::copy_n(tip.data(), length, FIconData.szTip);
    enabled_ = true;
    FOnClick = std::move(onClick);
    FMenu = menu;
    FAdded = true;
    PutIcon();
}

void TTrayIconMan::RemoveIcon() {
    if (!FAdded) return;
    retry_.SetEnabled(false);
    Shell_NotifyIconA(NIM_DELETE, &FIconData);
    FAdded = false;
    shown_ = false;
}

void TTrayIconMan::EnableMenu(bool enabled) {
    if (!FAdded) return;
    // Also kept here: clicks queued while the callback was still on must not count.
    enabled_ = enabled;
    FIconData.uCallbackMessage = enabled ? kMsgTrayCallback : 0;
    Shell_NotifyIconA(NIM_MODIFY, &FIconData);
}

void TTrayIconMan::PutIcon() {
    // A shell that still holds the icon (a broadcast without a restart) refuses the add.
    shown_ = Shell_NotifyIconA(NIM_ADD, &FIconData) || Shell_NotifyIconA(NIM_MODIFY, &FIconData);
    retry_.SetEnabled(!shown_);
}

bool TTrayIconMan::TrayWndProc(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    clickGuard_.Tick(GetTickCount());
    result = 0;
    if (msg == FTaskbarCreatedMsg) {
        if (FAdded) PutIcon();
    } else if (msg == kMsgTrayCallback) {
        if (enabled_) MouseEvent(UINT(lp));
    } else {
        return false; // creation, the end-of-session query and the rest: the window's own
    }
    return true;
}

void TTrayIconMan::MouseEvent(UINT event) {
    HWND app = Application().Handle();
    if (event == WM_LBUTTONUP && FOnClick) {
        if (clickGuard_.Accept(GetTickCount(), GetDoubleClickTime()))
            FOnClick();
        else if (IsWindowVisible(app))
            TBrunmark::ForceForegroundWindow(app);
    } else if (event == WM_RBUTTONUP && FMenu) {
        ShowMenu();
    }
}

void TTrayIconMan::ShowMenu() {
    // The pumping below and the menu's own loop dispatch queued clicks on the icon: a second
    // right click meanwhile must not open a second menu after this one.
    if (menuOpen_) return;
    FlagScope open(menuOpen_);
    // The menu closes properly only when a window of ours is in the foreground: the
    // application window stays there while the menu is open.
    const TActivationHold hold;
    HWND app = Application().Handle();
    TBrunmark::ForceForegroundWindow(app);
    Application().ProcessMessages();
    SetForegroundWindow(app);
    Application().ProcessMessages();
    FMenu->Popup(app);
}

} // namespace vtl
