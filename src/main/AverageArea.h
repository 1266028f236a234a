// The picked colour as the mean of a small square of screen pixels around the pointer, and
// where that square lies in the magnifier.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vtl {

// Pixels from left to right - 1 and from top to bottom - 1, as a screen rectangle counts them.
struct PixelRect {
    int left, top, right, bottom;
    bool operator==(const PixelRect&) const = default;
};

// The square of side `size` (odd) centred on the pixel (x, y).
PixelRect AverageSquare(int x, int y, int size);

// Each channel's mean (colours 0x00BBGGRR) over the pixels of the square that lie on a
// monitor, rounded half up; a pixel on two monitors counts once. None when no pixel does.
std::optional<std::uint32_t> AverageColor(const PixelRect& square,
                                          const std::vector<PixelRect>& monitors,
                                          const std::function<std::uint32_t(int x, int y)>& pixel);

// The square of side `size` around the pointer's pixel, in a magnifier of width x height at zoom
// z: from the first magnifier column (row) that shows its first pixel to the first that shows
// the pixel after its last. May reach beyond the magnifier.
PixelRect MagnifiedSquare(int width, int height, int zoom, int size);

} // namespace vtl
