#include "frame_sheet.h"

#include <algorithm>
#include <cmath>

namespace vtl::art {
namespace {

constexpr int kSamples = 8;
constexpr double kHighlightFade = 11.0; // rows over which the highlight fades down the sides

// Pixel coordinates of a sheet drawn at a DPI, in 96-dpi sheet units: the left half from the
// left edge, the right half from the right edge, so both ends keep their shape.
struct DesignSpace {
    FrameSheet g;
    double scale;
    double x(double px) const {
        return px < g.width / 2.0 ? px / scale : kSheetWidth - (g.width - px) / scale;
    }
    double y(double py) const { return py / scale; }
    // The 96-dpi column or row (from an outer edge) that a pixel's centre falls in.
    int cell(int fromOuter) const { return int(std::floor((fromOuter + 0.5) / scale)); }
    // The 96-dpi row at the centre of pixel row y, on the scale of the band's rows.
    double row(int py) const { return (py + 0.5) / scale - 0.5; }
};

DesignSpace designSpace(int dpi) {
    return {layout::FrameSheetAt(dpi), dpi / 96.0};
}

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

// Band pixel: the gradient with an outline along the outer edge and a highlight just inside
// it, both anti-aliased around the cut corners by supersampling the distance. Outline and
// highlight are one 96-dpi pixel wide at every scale.
Rgb bandPixel(const SkinPalette& p, const DesignSpace& s, int x, int y) {
    double outline = 0, highlight = 0;
    for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i) {
            const double sx = s.x(x + (i + 0.5) / kSamples), sy = s.y(y + (j + 0.5) / kSamples);
            const double d = distanceOutside(p, sx, sy);
            if (d < 1.0)
                outline += 1;
            else if (d < 2.0)
                highlight += std::clamp(1.0 - (sy - 2.0) / kHighlightFade, 0.0, 1.0);
        }
    const double n = kSamples * kSamples;
    const double row = s.row(y);
    Rgb c = bandGradient(p, row);
    if (row < layout::kSheetBand - 1) c = mix(c, p.highlight, highlight / n);
    return mix(c, p.edge, outline / n);
}

// Side border across its 5 columns from the outer edge inwards.
Rgb borderColumn(const SkinPalette& p, int fromOuter) {
    switch (std::min(fromOuter, layout::kSheetBorder - 1)) {
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

bool isKeyPixel(const SkinPalette& p, int x, int y, int dpi) {
    const DesignSpace s = designSpace(dpi);
    const int row = s.cell(y);
    if (y < 0 || row >= kCornerRows) return false;
    return s.cell(x) < p.leftCorner[std::size_t(row)] ||
           s.cell(s.g.width - 1 - x) < p.rightCorner[std::size_t(row)];
}

Rgb titleBandColor(const SkinPalette& p, int y, int dpi) {
    const DesignSpace s = designSpace(dpi);
    return bandPixel(p, s, s.g.titleMiddleX, y);
}

Image frameSheet(const SkinPalette& p, int dpi) {
    const DesignSpace s = designSpace(dpi);
    const FrameSheet& g = s.g;
    Image sheet(g.width, g.height);
    for (int y = 0; y < g.band; ++y) {
        const Rgb plain = titleBandColor(p, y, dpi);
        for (int x = 0; x < g.width; ++x) {
            const bool nearEnd = x < g.titleLeftWidth || x >= g.width - g.titleRightWidth;
            if (isKeyPixel(p, x, y, dpi))
                sheet.set(x, y, kMagenta);
            else
                sheet.set(x, y, nearEnd ? bandPixel(p, s, x, y) : plain);
        }
    }
    // Rows between band and bottom: a window body with both side borders (the frame reads one).
    for (int y = g.band; y < g.bottomY; ++y)
        for (int x = 0; x < g.width; ++x) {
            if (x < g.border)
                sheet.set(x, y, borderColumn(p, s.cell(x)));
            else if (x >= g.width - g.border)
                sheet.set(x, y, borderColumn(p, s.cell(g.width - 1 - x)));
            else
                sheet.set(x, y, p.content);
        }
    // Bottom strip: left corner, middle, right corner, then unused space in the content colour.
    for (int y = g.bottomY; y < g.height; ++y) {
        const int oy = s.cell(g.height - 1 - y);
        for (int x = 0; x < g.width; ++x) {
            Rgb c = p.content;
            if (x < g.border)
                c = bottomCorner(p, s.cell(x), oy);
            else if (x < g.bottomRightX)
                c = borderColumn(p, oy);
            else if (x < g.bottomRightX + g.border)
                c = bottomCorner(p, s.cell(g.bottomRightX + g.border - 1 - x), oy);
            sheet.set(x, y, c);
        }
    }
    return sheet;
}

} // namespace vtl::art
