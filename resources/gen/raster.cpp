#include "raster.h"

#include <algorithm>
#include <cmath>

namespace vtl::art {

double length(Vec v) {
    return std::hypot(v.x, v.y);
}

Vec normalized(Vec v) {
    const double len = length(v);
    return {v.x / len, v.y / len};
}

double sdCircle(Vec p, Vec centre, double radius) {
    return length(p - centre) - radius;
}

double sdSegment(Vec p, Vec a, Vec b) {
    const Vec ab = b - a;
    const double t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0, 1.0);
    return length(p - (a + ab * t));
}

double sdRoundRect(Vec p, Vec lo, Vec hi, double radius) {
    const Vec c = (lo + hi) * 0.5;
    const Vec half = (hi - lo) * 0.5;
    const double qx = std::abs(p.x - c.x) - half.x + radius;
    const double qy = std::abs(p.y - c.y) - half.y + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double sdBar(Vec p, Vec a, Vec b, double halfWidth, double radius) {
    const Vec axis = normalized(b - a);
    const Vec across{-axis.y, axis.x};
    const Vec c = (a + b) * 0.5;
    const double halfLength = length(b - a) * 0.5;
    const Vec local{dot(p - c, axis), dot(p - c, across)};
    return sdRoundRect(local, {-halfLength, -halfWidth}, {halfLength, halfWidth}, radius);
}

Image render(int width, int height, const Scene& scene, int samples) {
    Image out(width, height);
    const double step = 1.0 / samples;
    const double count = double(samples) * samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < samples; ++j)
                for (int i = 0; i < samples; ++i) {
                    const Paint p = scene({x + (i + 0.5) * step, y + (j + 0.5) * step});
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            if (a <= 0) continue;
            out.at(x, y) = {toByte(r / a), toByte(g / a), toByte(b / a), toByte(a / count)};
        }
    return out;
}

Image flatten(const Image& image, const std::function<Rgb(int y)>& background) {
    Image out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const Paint under = paint(background(y));
        for (int x = 0; x < image.width(); ++x) {
            const Rgba p = image.at(x, y);
            const Paint top{p.r / 255.0, p.g / 255.0, p.b / 255.0, p.a / 255.0};
            out.set(x, y, toRgb(over(top, under)));
        }
    }
    return out;
}

} // namespace vtl::art
