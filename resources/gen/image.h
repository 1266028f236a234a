// A plain in-memory picture, top-down rows of RGBA pixels.
#pragma once

#include "color.h"

#include <vector>

namespace vtl::art {

class Image {
  public:
    Image() = default;
    Image(int width, int height, Rgba fill = {});

    int width() const { return width_; }
    int height() const { return height_; }

    Rgba& at(int x, int y) { return pixels_[index(x, y)]; }
    const Rgba& at(int x, int y) const { return pixels_[index(x, y)]; }
    Rgb rgb(int x, int y) const;
    void set(int x, int y, Rgb c) { at(x, y) = {c.r, c.g, c.b, 255}; }

    // Copies a width x height block of src at (sx, sy) to (dx, dy) of this picture.
    void copyFrom(const Image& src, int sx, int sy, int width, int height, int dx, int dy);

  private:
    std::size_t index(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

} // namespace vtl::art
