// The system's colour dialog, as the program shows it: fully open, with its help button.
#pragma once

#include "ui/Win32.h"

#include <array>

namespace vtl {

// Shows the dialog owned by `owner` inside a modal scope, on the monitor of `over`: centred
// across, with a third of the spare height above it. True, with `color` set, when the user
// chose one; `custom` holds the dialog's custom colours.
bool ChooseColorAt(HWND owner, HWND over, COLORREF& color, std::array<COLORREF, 16>& custom);

} // namespace vtl
