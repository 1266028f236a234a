#include "title_art.h"

#include "eyedropper.h"
#include "frame_sheet.h"
#include "raster.h"

#include <algorithm>

namespace vtl::art {
namespace {

// Below this coverage an edge pixel shows the band just as well through a clear pixel.
constexpr std::uint8_t kClearBelow = 24;

// The frame makes pure red transparent, so it marks empty pixels only. Edge pixels are
// blended with the band colour they will be shown on, which the frame draws at a fixed row.
Image onBand(const Image& art, const SkinPalette& p, int dpi) {
    const int top = titleArtTop(dpi);
    Image out = flatten(art, [&](int y) { return titleBandColor(p, top + y, dpi); });
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) {
            if (art.at(x, y).a < kClearBelow)
                out.set(x, y, kPureRed);
            else if (out.rgb(x, y) == kPureRed)
                out.set(x, y, {254, 0, 0});
        }
    return out;
}

enum class Glyph { Minimize, Close };

double glyphDistance(Glyph g, Vec q) {
    if (g == Glyph::Minimize) return sdRoundRect(q, {4.0, 10.0}, {12.0, 12.0}, 0.0);
    return std::min(sdCapsule(q, {5.0, 5.0}, {11.0, 11.0}, 1.0),
                    sdCapsule(q, {11.0, 5.0}, {5.0, 11.0}, 1.0));
}

Paint buttonTile(Vec p, const SkinPalette& pal, Glyph g, bool down) {
    const double face = sdRoundRect(p, {0.0, 0.0}, {16.0, 16.0}, 3.5);
    if (face >= 0) return {};
    const Paint light = paint(pal.highlight), top = paint(pal.bandTop);
    const Paint dark = paint(pal.bandBottom), edge = paint(pal.edge);
    Paint c;
    if (down) {
        c = mix(mix(dark, edge, 0.5), mix(dark, top, 0.2), p.y / 16.0);
        if (face > -2.2 && p.y < 5) c = mix(c, edge, 0.35); // shadow under the pressed top edge
    } else {
        // Glossy face: a bright upper half over a deeper lower half that lifts towards the bottom.
        const Paint upper = mix(mix(top, light, 0.45), top, p.y / 8.0);
        const Paint lower = mix(mix(top, dark, 0.55), mix(top, light, 0.1), (p.y - 8.0) / 8.0);
        c = p.y < 8.0 ? upper : lower;
        if (face > -2.0) c = mix(c, light, p.y < 8 ? 0.5 : 0.15); // inner rim
    }
    if (face > -1.0) c = mix(edge, dark, down ? 0.0 : 0.25);
    const Vec q = p - (down ? Vec{1, 1} : Vec{0, 0});
    if (glyphDistance(g, q - Vec{0.0, 0.9}) < 0) c = over({0, 0, 0, 0.35}, c); // soft drop shadow
    if (glyphDistance(g, q) < 0) c = {1, 1, 1, 1};
    return c;
}

// Renders a picture designed on a 16 x 16 grid at a DPI: sharp at every scale.
Image renderTile(int dpi, const Scene& scene) {
    const int size = layout::Scaled(kTileSize, dpi);
    const double toDesign = 96.0 / dpi;
    return render(size, size, [&](Vec q) { return scene(q * toDesign); });
}

} // namespace

int titleArtTop(int dpi) {
    return (layout::Scaled(34, dpi) - layout::Scaled(kTileSize, dpi)) / 2;
}

Image titleIcon(const SkinPalette& p, int dpi) {
    EyedropperStyle s;
    s.tip = {2.0, 14.0};
    s.scale = 0.74;
    s.outline = 0.9;
    s.rim = 0.45;
    s.liquidLevel = 8.0;
    s.outlineColor = paint(p.edge);
    s.glass = {1, 1, 1, 1};
    s.liquid = {1.0, 0.80, 0.26, 1};
    s.collar = {0.80, 0.84, 0.90, 1};
    s.bulb = {0.92, 0.33, 0.28, 1};
    s.shine = {1, 1, 1, 0};
    return onBand(renderTile(dpi, [&](Vec q) { return eyedropper(q, s); }), p, dpi);
}

Image titleTiles(const SkinPalette& p, int dpi) {
    const int size = layout::Scaled(kTileSize, dpi);
    Image strip(4 * size, size);
    int x = 0;
    for (Glyph g : {Glyph::Minimize, Glyph::Close})
        for (bool down : {false, true}) {
            const Image tile =
                onBand(renderTile(dpi, [&](Vec q) { return buttonTile(q, p, g, down); }), p, dpi);
            strip.copyFrom(tile, 0, 0, size, size, x, 0);
            x += size;
        }
    return strip;
}

} // namespace vtl::art
