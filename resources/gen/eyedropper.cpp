#include "eyedropper.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vtl::art {
namespace {

// Parts in the dropper's own frame: a runs from the tip to the bulb, c across; design units.
struct Part {
    double a0, a1, half, round;
    double distance(Vec q) const { return sdRoundRect(q, {a0, -half}, {a1, half}, round); }
};

constexpr Part kNozzle{0.0, 5.5, 1.15, 1.15};
constexpr Part kBarrel{4.5, 13.0, 2.8, 1.0};
constexpr Part kCollar{12.6, 14.6, 4.1, 0.9};
constexpr Part kBulb{13.8, 22.0, 3.5, 3.5};

} // namespace

Paint eyedropper(Vec p, const EyedropperStyle& s) {
    const double rad = s.angle * std::numbers::pi / 180.0;
    const Vec axis{std::cos(rad), -std::sin(rad)}; // y grows downwards
    const Vec across{-axis.y, axis.x};
    const Vec d = p - s.tip;
    const Vec q{dot(d, axis) / s.scale, dot(d, across) / s.scale};
    const double ow = s.outline / s.scale;

    const double nozzle = kNozzle.distance(q), barrel = kBarrel.distance(q);
    const double collar = kCollar.distance(q), bulb = kBulb.distance(q);
    const double glass = std::min(nozzle, barrel);
    const double all = std::min({glass, collar, bulb});
    if (all >= ow) return {};

    Paint c = s.outlineColor;
    if (glass < 0) {
        c = s.glass;
        // The liquid sits inside the glass wall, which stays visible as a thin rim.
        if (q.x < s.liquidLevel && glass < -s.rim / s.scale) c = s.liquid;
        if (barrel < 0 && q.x > 5.2 && q.x < 12.2 && q.y > -2.0 && q.y < -1.0) c = over(s.shine, c);
    }
    if (bulb < 0) {
        c = s.bulb;
        if (q.y < -1.0 && q.y > -2.4 && q.x > 16.5 && q.x < 20.5) c = over(s.shine, c);
    }
    if (collar < 0) c = s.collar;
    // Separate touching parts with the outline colour so each reads on its own.
    if (collar >= 0 && collar < ow && (bulb < 0 || glass < 0)) c = s.outlineColor;
    return c;
}

} // namespace vtl::art
