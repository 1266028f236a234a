// The frame sheet of a skin: title band, borders and bottom corners that the window frame copies.
#pragma once

#include "image.h"
#include "scale.h"
#include "skin_palette.h"

namespace vtl::art {

inline constexpr int kSheetWidth = 215;
inline constexpr int kSheetHeight = 44;

// Where the frame reads its pieces.
inline constexpr int kTitleLeftWidth = 11;
inline constexpr int kTitleMiddleX = 187;
inline constexpr int kTitleRightX = 201;
inline constexpr int kRightBorderX = 210;
inline constexpr int kBottomY = 39;
inline constexpr int kBottomRightX = 175;
inline constexpr int kBorderWidth = 5;

// The sheet drawn for a DPI: the 96-dpi layout above with every length scaled, the right end
// and the bottom anchored to the sheet's right and bottom edges.
struct SheetGeometry {
    int width, height;
    int band, border;
    int titleLeftWidth, titleMiddleX, titleRightWidth;
    int sideRowY, bottomY, bottomRightX;
    int contentX, contentY;
};
SheetGeometry sheetGeometry(int dpi);

// True where the sheet carries the key colour that the frame cuts out of the window.
bool isKeyPixel(const SkinPalette& p, int x, int y, int dpi = 96);

// The finished title band at row y away from both ends: what the frame stretches across the
// window and what the title icon and buttons sit on.
Rgb titleBandColor(const SkinPalette& p, int y, int dpi = 96);

Image frameSheet(const SkinPalette& p, int dpi = 96);

} // namespace vtl::art
