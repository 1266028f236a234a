// A skin's frame sheet: the title band, borders and bottom corners that the window frame copies
// its pieces from. The generator draws each scale's sheet by it and the program cuts it by it.
#pragma once

#include "layouts/Scale.h"

namespace vtl::layout {

// The sheet at 96 dpi.
inline constexpr int kSheetWidth = 215;
inline constexpr int kSheetHeight = 44;
inline constexpr int kSheetBand = 31;  // the title band, as high as the window's title strip
inline constexpr int kSheetBorder = 5; // the side and bottom borders
inline constexpr int kTitleLeftWidth = 11;
inline constexpr int kTitleMiddleX = 187; // the column stretched across the window
inline constexpr int kTitleRightX = 201;
inline constexpr int kSideRowY = 32; // the row repeated down the sides
inline constexpr int kBottomRightX = 175;
inline constexpr int kContentX = 6; // the pixel that gives the content panel its colour
inline constexpr int kContentY = 32;

// Where the pieces lie in the sheet drawn for a DPI: every 96-dpi length scaled, the right end
// and the bottom anchored to the sheet's right and bottom edges.
struct FrameSheet {
    int width, height;
    int band, border;
    int titleLeftWidth, titleMiddleX, titleRightWidth;
    int sideRowY, bottomY, bottomRightX;
    int contentX, contentY;
};

constexpr FrameSheet FrameSheetAt(int artDpi) {
    const auto s = [artDpi](int v) { return Scaled(v, artDpi); };
    const int height = s(kSheetHeight), border = s(kSheetBorder);
    return {s(kSheetWidth),
            height,
            s(kSheetBand),
            border,
            s(kTitleLeftWidth),
            s(kTitleMiddleX),
            s(kSheetWidth - kTitleRightX),
            s(kSideRowY),
            height - border,
            s(kBottomRightX),
            s(kContentX),
            s(kContentY)};
}

} // namespace vtl::layout
