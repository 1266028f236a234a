// The pictures that sit on the title band: the title icon and the button tiles.
#pragma once

#include "image.h"
#include "skin_palette.h"

namespace vtl::art {

inline constexpr int kTileSize = 16;
inline constexpr int kTitleArtTop = 9; // row of the band where icon and buttons sit

// Row of the band at a DPI where the icon and buttons sit: centred on a 34-pixel band, as the
// frame places them.
int titleArtTop(int dpi);

// 16 x 16 title icon (scaled at a DPI); pure red marks the transparent pixels.
Image titleIcon(const SkinPalette& p, int dpi = 96);

// 64 x 16 strip (scaled at a DPI): minimize up, minimize down, close up, close down; pure red
// is transparent.
Image titleTiles(const SkinPalette& p, int dpi = 96);

} // namespace vtl::art
