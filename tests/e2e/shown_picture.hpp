// A picture of known colours shown on the X screen by ImageMagick's display, so that picking
// has something certain to read.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "support/geometry.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

class ShownPicture {
  public:
    using Painter = std::function<Rgb(int x, int y)>;
    // Shows a width x height picture at (left, top) and waits until it is on the screen.
    ShownPicture(Point topLeft, int width, int height, Painter paint);
    Rgb at(int x, int y) const { return paint_(x, y); } // picture coordinates
    Point screen(int x, int y) const { return {topLeft_.x + x, topLeft_.y + y}; }
    Rect area() const {
        return {topLeft_.x, topLeft_.y, topLeft_.x + width_, topLeft_.y + height_};
    }

  private:
    Point topLeft_;
    int width_, height_;
    Painter paint_;
    std::filesystem::path file_;
    ChildProcess display_;
};

} // namespace vtl::e2e
