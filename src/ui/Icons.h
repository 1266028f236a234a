// Cursors made from icons.
#pragma once

#include "ui/Handles.h"

namespace vtl {

// A cursor with the icon's picture and the hot spot given (owned by the caller).
IconHandle CursorFromIcon(HICON icon, int hotX, int hotY);

} // namespace vtl
