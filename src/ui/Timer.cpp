#include "ui/Timer.h"

#include "ui/Application.h"
#include "ui/Error.h"

#include <map>

namespace vtl {

namespace {

// Timers of the thread by their system id: a WM_TIMER taken from the queue before its timer
// was killed finds none and does nothing.
std::map<UINT_PTR, TTimer*>& Running() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}

} // namespace

TTimer::TTimer(TComponent* owner, UINT interval) : TComponent(owner), interval_(interval) {}

TTimer::~TTimer() {
    SetEnabled(false);
}

void TTimer::SetEnabled(bool on) {
    if (on == Enabled()) return;
    if (on) {
        id_ = SetTimer(nullptr, 0, interval_, &TimerProc);
        CheckWin32(id_ != 0, "SetTimer");
        Running()[id_] = this;
    } else {
        KillTimer(nullptr, id_);
        Running().erase(id_);
        id_ = 0;
    }
}

void TTimer::SetInterval(UINT interval) {
    if (interval == interval_) return;
    interval_ = interval;
    // A thread timer given its own id again is replaced, not doubled.
    if (Enabled()) CheckWin32(SetTimer(nullptr, id_, interval_, &TimerProc) == id_, "SetTimer");
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = Running().find(id);
    if (found == Running().end() || !found->second->OnTimer) return;
    try {
        found->second->OnTimer(*found->second);
    } catch (...) {
        Application().HandleCurrentException();
    }
}

} // namespace vtl
