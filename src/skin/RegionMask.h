// The shape of the skinned window, free of Win32: the title band's key-coloured pixels are
// what the frame cuts out of the window rectangle.
#pragma once

#include "skin/FrameLayout.h"

#include <cstdint>
#include <vector>

namespace vtl::skin {

// A picture as colour values 0x00BBGGRR, rows top to bottom.
class PixelGrid {
  public:
    PixelGrid(int width, int height, std::uint32_t fill = 0);
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, std::uint32_t color) { pixels_[Index(x, y)] = color; }

  private:
    std::size_t Index(int x, int y) const;

    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

// The pixels equal to key, row by row, merged into horizontal runs one pixel high. United,
// they are exactly the key-coloured pixels; fewer rectangles than pixels to unite.
std::vector<Box> KeyRuns(const PixelGrid& grid, std::uint32_t key);

// Number of pixels the runs cover.
int PixelCount(const std::vector<Box>& runs);

} // namespace vtl::skin
