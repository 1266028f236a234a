#include "ui/ModalScope.h"

#include "ui/Application.h"

namespace vtl {

namespace {

std::vector<TModalScope*>& Scopes() {
    static std::vector<TModalScope*> scopes;
    return scopes;
}

struct Collect {
    HWND keep;
    std::vector<HWND>* windows;
};
BOOL CALLBACK CollectEnabled(HWND wnd, LPARAM lp) {
    const auto& c = *reinterpret_cast<Collect*>(lp);
    if (wnd != c.keep && IsWindowEnabled(wnd)) c.windows->push_back(wnd);
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

TModalScope::TModalScope(HWND keep) : keep_(keep) {
    Collect collect{keep, &disabled_};
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
}

HWND TModalScope::KeptWindow() {
    for (auto it = Scopes().rbegin(); it != Scopes().rend(); ++it)
        if ((*it)->keep_ && IsWindow((*it)->keep_)) return (*it)->keep_;
    return nullptr;
}

void TModalScope::EnableWindows() {
    for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
    disabled_.clear();
}

} // namespace vtl
