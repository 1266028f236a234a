#include "frame_sheet.h"

#include <algorithm>
#include <cmath>

namespace vtl::art {
namespace {

constexpr int kSamples = 8;
constexpr double kHighlightFade = 11.0; // rows over which the highlight fades down the sides

// Distance from a point in the band to the nearest spot outside the window: beyond the top,
// beyond the outer sides of the band's ends, or inside a key-coloured corner pixel.
double distanceOutside(const SkinPalette& p, double px, double py) {
    double d = py;
    if (px < kTitleLeftWidth) d = std::min(d, px);
    if (px >= kTitleRightX) d = std::min(d, kSheetWidth - px);
    for (int y = 0; y < kCornerRows; ++y) {
        const auto toCell = [&](int cx) {
            const double dx = std::max({cx - px, px - (cx + 1), 0.0});
            const double dy = std::max({y - py, py - (y + 1), 0.0});
            return std::hypot(dx, dy);
        };
        for (int x = 0; x < p.leftCorner[std::size_t(y)]; ++x)
            d = std::min(d, toCell(x));
        for (int x = 0; x < p.rightCorner[std::size_t(y)]; ++x)
            d = std::min(d, toCell(kSheetWidth - 1 - x));
    }
    return d;
}

// Band pixel: the gradient with a 1-pixel outline along the outer edge and a highlight just
// inside it, both anti-aliased around the cut corners by supersampling the distance.
Rgb bandPixel(const SkinPalette& p, int x, int y) {
    double outline = 0, highlight = 0;
    for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i) {
            const double sx = x + (i + 0.5) / kSamples, sy = y + (j + 0.5) / kSamples;
            const double d = distanceOutside(p, sx, sy);
            if (d < 1.0)
                outline += 1;
            else if (d < 2.0)
                highlight += std::clamp(1.0 - (sy - 2.0) / kHighlightFade, 0.0, 1.0);
        }
    const double n = kSamples * kSamples;
    Rgb c = bandGradient(p, y);
    if (y < kBandHeight - 1) c = mix(c, p.highlight, highlight / n);
    return mix(c, p.edge, outline / n);
}

// Side border across its 5 columns from the outer edge inwards.
Rgb borderColumn(const SkinPalette& p, int fromOuter) {
    switch (fromOuter) {
    case 0: return p.edge;
    case 1: return mix(p.border, p.borderLight, 0.3);
    case 4: return p.borderLight;
    default: return p.border;
    }
}

// Square bottom corner where side and bottom borders meet; ox, oy count from the outer side
// and the bottom edge, so the rings of the border profile turn the corner as an L.
Rgb bottomCorner(const SkinPalette& p, int ox, int oy) {
    return borderColumn(p, std::min(ox, oy));
}

} // namespace

bool isKeyPixel(const SkinPalette& p, int x, int y) {
    if (y < 0 || y >= kCornerRows) return false;
    return x < p.leftCorner[std::size_t(y)] || x >= kSheetWidth - p.rightCorner[std::size_t(y)];
}

Rgb titleBandColor(const SkinPalette& p, int y) {
    return bandPixel(p, kTitleMiddleX, y);
}

Image frameSheet(const SkinPalette& p) {
    Image sheet(kSheetWidth, kSheetHeight);
    for (int y = 0; y < kBandHeight; ++y) {
        const Rgb plain = titleBandColor(p, y);
        for (int x = 0; x < kSheetWidth; ++x) {
            const bool nearEnd = x < kTitleLeftWidth || x >= kTitleRightX;
            if (isKeyPixel(p, x, y))
                sheet.set(x, y, kMagenta);
            else
                sheet.set(x, y, nearEnd ? bandPixel(p, x, y) : plain);
        }
    }
    // Rows between band and bottom: a window body with both side borders (the frame reads one).
    for (int y = kBandHeight; y < kBottomY; ++y)
        for (int x = 0; x < kSheetWidth; ++x) {
            if (x < kBorderWidth)
                sheet.set(x, y, borderColumn(p, x));
            else if (x >= kRightBorderX)
                sheet.set(x, y, borderColumn(p, kSheetWidth - 1 - x));
            else
                sheet.set(x, y, p.content);
        }
    // Bottom strip: left corner, middle, right corner, then unused space in the content colour.
    for (int y = kBottomY; y < kSheetHeight; ++y) {
        const int oy = kSheetHeight - 1 - y;
        for (int x = 0; x < kSheetWidth; ++x) {
            Rgb c = p.content;
            if (x < kBorderWidth)
                c = bottomCorner(p, x, oy);
            else if (x < kBottomRightX)
                c = borderColumn(p, oy);
            else if (x < kBottomRightX + kBorderWidth)
                c = bottomCorner(p, kBottomRightX + kBorderWidth - 1 - x, oy);
            sheet.set(x, y, c);
        }
    }
    return sheet;
}

} // namespace vtl::art
