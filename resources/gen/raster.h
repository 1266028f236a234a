// Anti-aliased drawing by supersampling: a scene is a function giving the paint at any point,
// shapes are signed distance functions (negative inside). Pixel (x, y) covers the square
// [x, x+1) x [y, y+1), so its centre is (x + 0.5, y + 0.5).
#pragma once

#include "image.h"

#include <functional>

namespace vtl::art {

struct Vec {
    double x = 0, y = 0;
};

inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec operator*(Vec a, double s) {
    return {a.x * s, a.y * s};
}
inline double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
double length(Vec v);
Vec normalized(Vec v);

double sdCircle(Vec p, Vec centre, double radius);
double sdSegment(Vec p, Vec a, Vec b);
inline double sdCapsule(Vec p, Vec a, Vec b, double radius) {
    return sdSegment(p, a, b) - radius;
}
// Axis-aligned rectangle from lo to hi with corners rounded by radius.
double sdRoundRect(Vec p, Vec lo, Vec hi, double radius);
// Rectangle whose long axis runs from a to b, halfWidth to each side, corners rounded by radius.
double sdBar(Vec p, Vec a, Vec b, double halfWidth, double radius);

using Scene = std::function<Paint(Vec)>;

// Renders the scene with samples x samples points per pixel, averaged with premultiplied alpha.
Image render(int width, int height, const Scene& scene, int samples = 8);

// Flattens a picture onto a background colour, per row (for bands with a vertical gradient).
Image flatten(const Image& image, const std::function<Rgb(int y)>& background);

} // namespace vtl::art
