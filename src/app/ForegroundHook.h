// The start-up hook that brings the program to the front when it was started from somewhere
// other than the program in the foreground (a shortcut launched by a background process).
#pragma once

namespace vtl {

// Runs the start-up hook that was installed before it, then, when a taskbar is present and
// the foreground window does not belong to the process that started this one, forces the
// application window to the foreground.
void StartupForegroundHook();

// Makes StartupForegroundHook the application's start-up hook, keeping the one it replaces.
void InstallStartupForegroundHook();

} // namespace vtl
