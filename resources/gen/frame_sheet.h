// The frame sheet of a skin: title band, borders and bottom corners that the window frame copies.
#pragma once

#include "image.h"
#include "layouts/FrameSheet.h"
#include "skin_palette.h"

namespace vtl::art {

// Where the pieces lie: layouts/FrameSheet.h, which the program cuts the sheet by.
using layout::FrameSheet;
using layout::kSheetWidth;
using layout::kTitleLeftWidth;
using layout::kTitleRightX;

// True where the sheet carries the key colour that the frame cuts out of the window.
bool isKeyPixel(const SkinPalette& p, int x, int y, int dpi = 96);

// The finished title band at row y away from both ends: what the frame stretches across the
// window and what the title icon and buttons sit on.
Rgb titleBandColor(const SkinPalette& p, int y, int dpi = 96);

Image frameSheet(const SkinPalette& p, int dpi = 96);

} // namespace vtl::art
