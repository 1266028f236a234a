// Cursors made from icons.
#pragma once

#include "ui/Handles.h"

namespace vtl {

// The program's icon ("MAINICON") at the small (16) or large (32) icon size of a DPI; made once
// per size and kept for the run.
HICON ProgramIcon(bool small, int dpi);
// A cursor with the icon's picture and the hot spot given (owned by the caller).
IconHandle CursorFromIcon(HICON icon, int hotX, int hotY);

} // namespace vtl
