// Window messages of our own, numbered here so that no two of them ever meet on one window.
#pragma once

#include <windows.h>

namespace vtl {

// The tray icon's notifications to its hidden window (0x401: its window class is ours, so
// nothing else numbers a message there).
constexpr UINT kMsgTrayCallback = WM_USER + 1;
// The main form tells the user about the saved colours once the message that asked is done.
constexpr UINT kMsgTellSavedColors = WM_APP + 2;

} // namespace vtl
