// Screenshots of the X display the program under test runs on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/geometry.hpp"

namespace vtl::e2e {

class Screenshot {
  public:
    // Decodes a binary PPM (P6, maxval 255), as `import ... ppm:-` writes it.
    static Screenshot fromPpm(std::string_view data);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb pixel(int x, int y) const; // throws outside the picture
    Rgb pixel(Point p) const { return pixel(p.x, p.y); }
    void savePng(const std::string& path) const;

  private:
    Screenshot(int width, int height, std::vector<std::uint8_t> rgb)
        : width_(width), height_(height), rgb_(std::move(rgb)) {}

    int width_;
    int height_;
    std::vector<std::uint8_t> rgb_;
};

class Screen {
  public:
    Screen(); // the display in $DISPLAY
    explicit Screen(std::string display) : display_(std::move(display)) {}

    Screenshot capture() const; // whole root window, about 100 ms
    void saveShot(const std::string& pngPath) const;

  private:
    std::string display_;
};

} // namespace vtl::e2e
