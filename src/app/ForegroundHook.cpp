#include "app/ForegroundHook.h"

#include "brunmark/BrunmarkClass.h"
#include "ui/Application.h"

#include <functional>
#include <utility>

namespace vtl {

namespace {

std::function<void()>& SavedStartupHook() {
    static std::function<void()> saved;
    return saved;
}

} // namespace

void StartupForegroundHook() {
    if (SavedStartupHook()) SavedStartupHook()();
    if (TBrunmark::GetTaskbarProcessId() == 0) return;
    HWND app = Application().Handle();
    const DWORD parentId = TBrunmark::GetParentProcessId(TBrunmark::GetWindowProcessId(app));
    const DWORD foregroundId = TBrunmark::GetWindowProcessId(GetForegroundWindow());
    // Started from the program in front (the desktop shell, say): the system lets us come up
    // in front anyway.
    if (parentId == foregroundId) return;
    TBrunmark::ForceForegroundWindow(app);
}

void InstallStartupForegroundHook() {
    SavedStartupHook() = std::exchange(Application().StartupHook, &StartupForegroundHook);
}

} // namespace vtl
