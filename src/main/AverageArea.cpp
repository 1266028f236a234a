#include "main/AverageArea.h"

#include "main/ZoomGeometry.h"

namespace vtl {

namespace {

bool OnAMonitor(const std::vector<PixelRect>& monitors, int x, int y) {
    for (const PixelRect& m : monitors)
        if (x >= m.left && x < m.right && y >= m.top && y < m.bottom) return true;
    return false;
}

// n * a / b rounded up, for the first magnifier column that shows a buffer column.
int CeilScaled(int n, int a, int b) {
    const long long p = (long long)n * a;
    return int(p >= 0 ? (p + b - 1) / b : p / b);
}

} // namespace

PixelRect AverageSquare(int x, int y, int size) {
    const int half = size / 2;
    return {x - half, y - half, x - half + size, y - half + size};
}

std::optional<std::uint32_t> AverageColor(const PixelRect& square,
                                          const std::vector<PixelRect>& monitors,
                                          const std::function<std::uint32_t(int x, int y)>& pixel) {
    std::uint32_t sum[3] = {0, 0, 0}, n = 0;
    for (int y = square.top; y < square.bottom; ++y)
        for (int x = square.left; x < square.right; ++x) {
            if (!OnAMonitor(monitors, x, y)) continue;
            const std::uint32_t c = pixel(x, y);
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += (c >> (8 * ch)) & 0xFF;
            ++n;
        }
    if (n == 0) return std::nullopt;
    std::uint32_t mean = 0;
    for (int ch = 0; ch < 3; ++ch)
        mean |= ((2 * sum[ch] + n) / (2 * n)) << (8 * ch); // half up: floor(sum / n + 1/2)
    return mean;
}

PixelRect MagnifiedSquare(int width, int height, int zoom, int size) {
    const ZoomSource s = ZoomSourceRect(width, height, zoom);
    const PixelRect square = AverageSquare(width / 2, height / 2, size);
    return {CeilScaled(square.left - s.left, width, s.width),
            CeilScaled(square.top - s.top, height, s.height),
            CeilScaled(square.right - s.left, width, s.width),
            CeilScaled(square.bottom - s.top, height, s.height)};
}

} // namespace vtl
