#include "placeholder.h"

#include "raster.h"
#include "layouts/Scale.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vtl::art {
namespace {

constexpr double kCell = 12.0; // size of one "magnified pixel"
constexpr Vec kCentre{kPlaceholderWidth / 2.0, kPlaceholderHeight / 2.0};

// A soft wash of colour across the middle cells, as if a colourful spot were magnified.
Paint cellTint(int cx, int cy) {
    constexpr double third = 2 * std::numbers::pi / 3;
    const double hue = std::fmod(200.0 + cx * 23.0 + cy * 11.0, 360.0) * std::numbers::pi / 180;
    return {0.74 + 0.22 * std::cos(hue), 0.77 + 0.2 * std::cos(hue - third),
            0.82 + 0.17 * std::cos(hue + third), 1};
}

Paint placeholderAt(Vec p) {
    const double t = p.y / kPlaceholderHeight;
    Paint c = mix(Paint{0.953, 0.961, 0.976, 1}, Paint{0.867, 0.894, 0.933, 1}, t);

    // Magnified-pixel grid centred on the window, fading out towards the sides.
    const Vec g = p - kCentre + Vec{kCell / 2, kCell / 2};
    const int cx = int(std::floor(g.x / kCell)), cy = int(std::floor(g.y / kCell));
    const double dist = length(Vec{(p.x - kCentre.x) / 1.8, p.y - kCentre.y});
    const double near = std::clamp(1.0 - dist / 62.0, 0.0, 1.0);
    if (near > 0) {
        Paint tint = cellTint(cx, cy);
        tint.a = 0.8 * near * near;
        c = over(tint, c);
        const double fx = g.x - cx * kCell, fy = g.y - cy * kCell;
        if (fx < 1.0 || fy < 1.0) c = over({1, 1, 1, 0.55 * near}, c);
    }

    // Cross-hair ring in the middle, like the magnifier's own cursor.
    const double ring = std::abs(length(p - kCentre) - 9.0);
    if (ring < 1.1) c = over({0.22, 0.30, 0.45, 0.85}, c);
    const double ax = std::abs(p.x - kCentre.x), ay = std::abs(p.y - kCentre.y);
    const bool arm = (ax < 0.8 && ay > 13 && ay < 22) || (ay < 0.8 && ax > 13 && ax < 22);
    if (arm) c = over({0.22, 0.30, 0.45, 0.85}, c);
    return c;
}

} // namespace

Image magnifierPlaceholder(int dpi) {
    const double toDesign = 96.0 / dpi;
    return render(
        layout::Scaled(kPlaceholderWidth, dpi), layout::Scaled(kPlaceholderHeight, dpi),
        [&](Vec q) { return placeholderAt(q * toDesign); }, 4);
}

} // namespace vtl::art
