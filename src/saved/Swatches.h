// The 48 x 16 swatches (scaled) of saved colours: a one-pixel white edge, a black ring, the
// colour.
#pragma once

#include "color/ColorValue.h"
#include "ui/ComCtrls.h"

#include <span>

namespace vtl {

// Draws a swatch for each colour and adds them to the image list in this order, a few hundred
// side by side in one bitmap at a time (one image at a time is slow under Wine). Returns the
// index of the first new image.
int AddSwatches(TImageList& images, std::span<const TColor> colors);

} // namespace vtl
