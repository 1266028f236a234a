// What screen readers are told beyond what the system knows of a window. A control with a
// window text is named by the system; a field whose label is painted, and a part that is
// painted rather than a window (the frame's title buttons), are not. Such a window answers
// WM_GETOBJECT for its client with an object of its own that gives those names and parts and
// leaves everything else to the system's standard object.
//
// oleacc.dll and oleaut32.dll are loaded at the first question a screen reader asks, so a
// start without one pays nothing, and looked up at run time, so the import table stays as
// Windows 2000 has it.
#pragma once

#include "ui/Win32.h"

#include <string>

namespace vtl {

// A part of a window as screen readers see it: one of the window's children.
struct TAccessiblePart {
    std::string name;
    long role = 0x2B;   // ROLE_SYSTEM_PUSHBUTTON
    long state = 0;     // STATE_SYSTEM_* flags
    RECT screen{};      // where it is drawn, in screen pixels
    std::string action; // the default action's name ("Press"), or none
};

// The answer to WM_GETOBJECT: the window's own object for OBJID_CLIENT, 0 for anything else
// or when the system's accessibility library is missing (the system's object serves then).
// The object asks the window's control (TWinControl::FromHandle) afresh at each call, so a
// reader that keeps it after the control is gone reaches the standard object only.
LRESULT AnswerGetObject(HWND wnd, WPARAM wp, LPARAM lp);

// Posted to a window by a reader's default action on part wp; the window does it after the
// reader's call has returned, as the system's own buttons do.
UINT AccessiblePressMessage();

} // namespace vtl
