#include "image.h"

#include <stdexcept>

namespace vtl::art {

Image::Image(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("image size must be positive");
}

std::size_t Image::index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("pixel outside image");
    return std::size_t(y) * std::size_t(width_) + std::size_t(x);
}

Rgb Image::rgb(int x, int y) const {
    const Rgba& p = at(x, y);
    return {p.r, p.g, p.b};
}

void Image::copyFrom(const Image& src, int sx, int sy, int width, int height, int dx, int dy) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            at(dx + x, dy + y) = src.at(sx + x, sy + y);
}

} // namespace vtl::art
