// Colour types shared by the drawing code: 8-bit pixels and a floating-point paint with alpha.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vtl::art {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Straight (not premultiplied) colour, channels and alpha in 0..1.
struct Paint {
    double r = 0, g = 0, b = 0, a = 0;
};

inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kPureRed{255, 0, 0};

inline std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

inline Paint paint(Rgb c, double alpha = 1.0) {
    return {c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha};
}

inline Rgb toRgb(const Paint& p) {
    return {toByte(p.r), toByte(p.g), toByte(p.b)};
}

inline Paint mix(const Paint& a, const Paint& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

inline Rgb mix(Rgb a, Rgb b, double t) {
    return toRgb(mix(paint(a), paint(b), t));
}

// Porter-Duff "over" on straight colours.
inline Paint over(const Paint& top, const Paint& under) {
    const double a = top.a + under.a * (1.0 - top.a);
    if (a <= 0.0) return {};
    const auto ch = [&](double t, double u) {
        return (t * top.a + u * under.a * (1.0 - top.a)) / a;
    };
    return {ch(top.r, under.r), ch(top.g, under.g), ch(top.b, under.b), a};
}

} // namespace vtl::art
