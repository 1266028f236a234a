#include "color/Contrast.h"

#include <algorithm>
#include <cmath>

namespace vtl {

namespace {

double Luminance(std::uint32_t c) {
    auto linear = [](std::uint32_t channel) {
        const double v = (channel & 0xFF) / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c) + 0.7152 * linear(c >> 8) + 0.0722 * linear(c >> 16);
}

} // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t ContrastingText(std::uint32_t background) {
    const std::uint32_t black = 0, white = 0xFFFFFF;
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

} // namespace vtl
