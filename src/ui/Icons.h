// Icons and cursors from the program's resources.
#pragma once

#include "ui/Handles.h"

namespace vtl {

// An icon resource of the program at the given size; null when missing.
HICON LoadIconResource(int id, int size);
// A cursor with the icon's picture and the hot spot given (owned by the caller).
IconHandle CursorFromIcon(HICON icon, int hotX, int hotY);

} // namespace vtl
