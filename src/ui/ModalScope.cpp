#include "ui/ModalScope.h"

#include "ui/Application.h"

namespace vtl {

namespace {

std::vector<TModalScope*>& Scopes() {
    static std::vector<TModalScope*> scopes;
    return scopes;
}

struct Collect {
    HWND dialog;
    std::vector<HWND>* windows;
};
BOOL CALLBACK CollectEnabled(HWND wnd, LPARAM lp) {
    const auto& c = *reinterpret_cast<Collect*>(lp);
    if (wnd != c.dialog && IsWindowEnabled(wnd)) c.windows->push_back(wnd);
    return TRUE;
}

// Neither end of the bracket may throw: the windows would stay disabled.
void TellApplication(bool modal) noexcept {
    try {
        Application().ModalChanged(modal);
    } catch (...) {
        Application().HandleCurrentException();
    }
}

} // namespace

TModalScope::TModalScope(HWND dialog) : active_(GetActiveWindow()), focus_(GetFocus()) {
    Collect collect{dialog, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&collect));
    for (HWND wnd : disabled_)
        EnableWindow(wnd, FALSE);
    Scopes().push_back(this);
    if (Scopes().size() == 1) TellApplication(true);
}

TModalScope::~TModalScope() {
    EnableWindows();
    std::erase(Scopes(), this);
    if (Scopes().empty()) TellApplication(false);
    RestoreActivation();
}

void TModalScope::EnableWindows() {
    for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
    disabled_.clear();
}

void TModalScope::RestoreActivation() const {
    // The window that was active before the dialog is active again, with its focused control:
    // the system gives activation to the dialog's owner, which need not be that window.
    if (!active_ || !IsWindow(active_) || !IsWindowVisible(active_) || !IsWindowEnabled(active_))
        return;
    if (GetActiveWindow() != active_) SetActiveWindow(active_);
    if (focus_ && focus_ != GetFocus() && IsWindow(focus_) && IsWindowVisible(focus_) &&
        IsWindowEnabled(focus_) && GetAncestor(focus_, GA_ROOT) == active_)
        SetFocus(focus_);
}

} // namespace vtl
