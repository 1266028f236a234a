#include "icons.h"

#include "eyedropper.h"
#include "raster.h"
#include "layouts/Scale.h"

#include <cmath>
#include <numbers>

namespace vtl::art {
namespace {

constexpr int kCursorSize = 32;

Paint fromHsv(double hue, double sat, double val) {
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double c = val * sat;
    const double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (int(h)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
    }
    const double m = val - c;
    return {r + m, g + m, b + m, 1};
}

// A colour wheel: hue around the centre, white in the middle, with a dark rim.
Paint hueWheel(Vec p, Vec centre, double radius, double rim) {
    const Vec d = p - centre;
    const double dist = length(d);
    if (dist >= radius) return {};
    if (dist >= radius - rim) return {0.15, 0.17, 0.23, 1};
    const double hue = std::atan2(-d.y, d.x) * 180.0 / std::numbers::pi + 360.0;
    const double sat = std::pow(dist / (radius - rim), 0.7);
    return fromHsv(hue, sat, 0.97);
}

struct IconLayout {
    Vec wheelCentre;
    double wheelRadius, wheelRim;
    EyedropperStyle dropper;
};

IconLayout layoutFor(int size) {
    EyedropperStyle s;
    s.outlineColor = {0.15, 0.17, 0.23, 1};
    s.glass = {0.91, 0.95, 0.99, 1};
    s.collar = {0.47, 0.50, 0.56, 1};
    s.bulb = {0.20, 0.41, 0.77, 1};
    s.shine = {1, 1, 1, 0.75};
    if (size <= 16) {
        s.tip = {7.0, 9.0};
        s.scale = 0.5;
        s.outline = 0.8;
        s.rim = 0.0;
        return {{5.8, 10.2}, 5.8, 0.8, s};
    }
    s.tip = {14.2, 17.8};
    s.scale = 0.97;
    s.outline = 1.1;
    s.rim = 0.7;
    return {{11.5, 20.5}, 11.0, 1.1, s};
}

} // namespace

Image mainIcon(int size) {
    // Drawn on the grid of the nearest smaller design, scaled: sharp at any size.
    const int design = size < 32 ? 16 : 32;
    const double toDesign = double(design) / size;
    IconLayout l = layoutFor(design);
    // The dropper holds the hue of the spot its tip rests on, at full strength.
    const Vec d = l.dropper.tip - l.wheelCentre;
    l.dropper.liquid =
        fromHsv(std::atan2(-d.y, d.x) * 180.0 / std::numbers::pi + 360.0, 0.85, 0.97);
    return render(size, size, [&](Vec q) {
        const Vec p = q * toDesign;
        return over(eyedropper(p, l.dropper),
                    hueWheel(p, l.wheelCentre, l.wheelRadius, l.wheelRim));
    });
}

int cursorLineWidth(int dpi) {
    return dpi >= 240 ? 3 : 1;
}

std::vector<std::pair<int, int>> cursorRing(int dpi) {
    // Pixels whose centre lies within half a line of a circle of radius 3 (scaled): at 96 dpi
    // the 7 x 7 ring of 3 pixels per side and one per corner.
    const int size = layout::Scaled(kCursorSize, dpi), c = size / 2, r = layout::Scaled(3, dpi);
    const double half = cursorLineWidth(dpi) / 2.0;
    std::vector<std::pair<int, int>> ring;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (std::abs(std::hypot(x - c, y - c) - r) < half) ring.push_back({x, y});
    return ring;
}

Image pickerIcon(int dpi) {
    const int size = layout::Scaled(kCursorSize, dpi), c = size / 2;
    const int reach = layout::Scaled(3, dpi) + cursorLineWidth(dpi) / 2; // the ring's outer radius
    const int side = cursorLineWidth(dpi) / 2;
    Image img(size, size);
    const Rgba black{0, 0, 0, 255};
    for (auto [x, y] : cursorRing(dpi))
        img.at(x, y) = black;
    for (int i = 1; i < size; ++i) {            // as far from the centre on every side
        if (std::abs(i - c) <= reach) continue; // the ring's span stays hollow
        for (int d = -side; d <= side; ++d) {
            img.at(c + d, i) = black;
            img.at(i, c + d) = black;
        }
    }
    return img;
}

Image zoomIcon(int dpi) {
    const int size = layout::Scaled(kCursorSize, dpi);
    Image img(size, size);
    for (auto [x, y] : cursorRing(dpi))
        img.at(x, y) = {255, 0, 0, 255};
    return img;
}

} // namespace vtl::art
