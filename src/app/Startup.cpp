#include "app/Startup.h"

#include "brunmark/BrunmarkClass.h"
#include "app/ForegroundHook.h"
#include "ui/Application.h"

#include <objbase.h>

#include <utility>

namespace vtl {

TRuntimeStart::TRuntimeStart() {
    InstallComHook();
    TBrunmark::CheckWindowsVersion();
    // Started from a shortcut with another working folder, relative paths still mean ours.
    SetCurrentDirectoryA(TBrunmark::GetProgramFolder().c_str());
    try {
        repaintFix_ = std::make_unique<TVistaAltFix>();
    } catch (...) {
        // Cosmetic: the program runs as well without it.
    }
    InstallStartupForegroundHook();
}

TRuntimeStart::~TRuntimeStart() {
    if (comEntered_) CoUninitialize();
}

void TRuntimeStart::InstallComHook() {
    // The first hook of the chain: the GUI thread joins COM (shell dialogs and links need it),
    // right after the first paint, which does not.
    auto previous = std::exchange(Application().StartupHook, nullptr);
    Application().StartupHook = [this, previous] {
        if (previous) previous();
        Application().AfterFirstPaint([this] { comEntered_ = SUCCEEDED(CoInitialize(nullptr)); });
    };
}

} // namespace vtl
