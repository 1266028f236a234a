// The program icon and the two cursor icons.
#pragma once

#include "image.h"

#include <utility>
#include <vector>

namespace vtl::art {

// Program icon at one size (16 or 32 pixels square), with alpha.
Image mainIcon(int size);

// The picking cross-hair: black ring and arms on a transparent 32 x 32 square.
Image pickerIcon();

// The magnifier's cursor: the same ring in pure red, without arms.
Image zoomIcon();

// Pixels of the cursors' 7 x 7 ring around (16, 16); the arms are added for the picker.
std::vector<std::pair<int, int>> cursorRing();

} // namespace vtl::art
