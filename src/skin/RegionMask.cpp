#include "skin/RegionMask.h"

#include <stdexcept>

namespace vtl::skin {

PixelGrid::PixelGrid(int width, int height, std::uint32_t fill)
    : width_(width), height_(height),
      pixels_(width > 0 && height > 0 ? std::size_t(width) * std::size_t(height) : 0, fill) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative picture size");
}

std::size_t PixelGrid::Index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("pixel outside the picture");
    return std::size_t(y) * std::size_t(width_) + std::size_t(x);
}

std::vector<Box> KeyRuns(const PixelGrid& grid, std::uint32_t key) {
    std::vector<Box> runs;
    for (int y = 0; y < grid.Height(); ++y) {
        int x = 0;
        while (x < grid.Width()) {
            if (grid.At(x, y) != key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < grid.Width() && grid.At(x, y) == key)
                ++x;
            runs.push_back({start, y, x - start, 1});
        }
    }
    return runs;
}

int PixelCount(const std::vector<Box>& runs) {
    int n = 0;
    for (const Box& b : runs)
        n += b.width * b.height;
    return n;
}

} // namespace vtl::skin
