// The program icon and the two cursor icons.
#pragma once

#include "image.h"

#include <utility>
#include <vector>

namespace vtl::art {

// Program icon at one size in pixels square, with alpha: drawn for 16 below 32, for 32 from
// there, scaled without losing sharpness.
Image mainIcon(int size);

// The picking cross-hair: black ring and arms on a transparent 32 x 32 square (scaled at a
// DPI), the ring centred on the square's centre pixel, the cursor's hot spot.
Image pickerIcon(int dpi = 96);

// The magnifier's cursor: the same ring in pure red, without arms.
Image zoomIcon(int dpi = 96);

// Pixels of the cursors' ring around the centre: at 96 dpi 7 x 7 around (16, 16); the arms
// are added for the picker.
std::vector<std::pair<int, int>> cursorRing(int dpi = 96);

// The lines of the cursors are one pixel wide, three from 250 %.
int cursorLineWidth(int dpi);

} // namespace vtl::art
