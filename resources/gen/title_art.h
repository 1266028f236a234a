// The pictures that sit on the title band: the title icon and the button tiles.
#pragma once

#include "image.h"
#include "skin_palette.h"

namespace vtl::art {

inline constexpr int kTileSize = 16;
inline constexpr int kTitleArtTop = 9; // row of the band where icon and buttons sit

// 16 x 16 title icon; pure red marks the transparent pixels.
Image titleIcon(const SkinPalette& p);

// 64 x 16 strip: minimize up, minimize down, close up, close down; pure red is transparent.
Image titleTiles(const SkinPalette& p);

} // namespace vtl::art
