// The program's fonts: Tahoma throughout, at each window's DPI.
#pragma once

#include "ui/Dpi.h"

#include <windows.h>

namespace vtl {

// The font every control uses unless it is given another: Tahoma, 11 pixels high at 96 dpi.
// One per DPI, kept for the run.
HFONT DefaultFont(int dpi = kBaseDpi);
// Creates Tahoma of the given character height at 96 dpi (bold captions, underlined links),
// for a DPI. The height is scaled rounding down: rounded to the nearest, captions sized for
// 96 dpi are clipped at 120 and 144 dpi.
HFONT CreateUiFont(bool bold, int height = 11, bool underline = false, int dpi = kBaseDpi);

} // namespace vtl
