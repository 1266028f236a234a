// Shared set-up for the Win32 tests: the application object exists, errors that reach the
// application-wide handler are recorded instead of shown, and messages can be pumped.
#pragma once

#include "ui/Application.h"

#include <string>
#include <vector>

namespace vtl::test {

// Messages the application-wide handler received since the last Clear.
std::vector<std::string>& ReportedErrors();

// Dispatches messages (idle handlers included) for the given time.
void PumpFor(unsigned ms);
// Dispatches what is pending, then runs the idle handlers once.
void PumpPending();

// Sends a click (press and release) at a client point of a window.
void ClickAt(HWND wnd, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP);

} // namespace vtl::test
