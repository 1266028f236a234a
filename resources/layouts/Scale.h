// The scales the artwork is drawn for, and the names of its pictures at each. The rounding
// (Scaled) is the toolkit's, in ui/LayoutItem.h, so that the toolkit never reaches up here.
#pragma once

#include "ui/LayoutItem.h"

#include <array>
#include <string>
#include <string_view>

namespace vtl::layout {

// The DPIs the artwork is drawn for: 100, 125, 150, 175, 200, 250 and 300 %.
inline constexpr std::array<int, 7> kArtDpis{96, 120, 144, 168, 192, 240, 288};

// The artwork a window at any DPI uses: the nearest scale, the smaller of two as near.
constexpr int NearestArtDpi(int dpi) {
    int best = kArtDpis[0];
    for (int art : kArtDpis)
        if ((art > dpi ? art - dpi : dpi - art) < (best > dpi ? best - dpi : dpi - best))
            best = art;
    return best;
}

// The name of a picture drawn for a DPI, as a resource (no extension) and as the generator's
// file: the 96-dpi name, or "_<dpi>" after it, then the extension.
inline std::string ArtName(std::string_view name, int artDpi, std::string_view extension = {}) {
    std::string result(name);
    if (artDpi != kBaseDpi) {
        result += '_';
        result += std::to_string(artDpi);
    }
    result += extension;
    return result;
}

} // namespace vtl::layout
