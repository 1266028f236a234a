#include "skin_palette.h"

#include <stdexcept>

namespace vtl::art {
namespace {

// Blue, green and olive; the olive content is warmer to go with its band.
constexpr std::array<SkinPalette, 3> kPalettes{{
    {'B',
     {88, 146, 226},
     {34, 86, 170},
     {172, 206, 247},
     {22, 56, 118},
     {20, 52, 110},
     {40, 90, 168},
     {150, 186, 234},
     {232, 232, 232},
     {6, 3, 2, 1, 1, 1},
     {6, 3, 2, 1, 1, 1}},
    {'G',
     {104, 172, 92},
     {42, 112, 48},
     {182, 226, 170},
     {26, 74, 30},
     {24, 68, 28},
     {48, 114, 54},
     {164, 210, 158},
     {232, 232, 232},
     {5, 3, 3, 1, 1, 0},
     {6, 3, 2, 1, 1, 1}},
    {'O',
     {138, 152, 88},
     {86, 100, 44},
     {214, 224, 176},
     {60, 72, 30},
     {56, 66, 28},
     {104, 120, 60},
     {204, 214, 168},
     {239, 240, 230},
     {5, 3, 3, 1, 1, 0},
     {6, 3, 2, 1, 1, 1}},
}};

} // namespace

const SkinPalette& skinPalette(char letter) {
    for (const SkinPalette& p : kPalettes)
        if (p.letter == letter) return p;
    throw std::invalid_argument("unknown skin letter");
}

Rgb bandGradient(const SkinPalette& p, double y) {
    if (y >= layout::kSheetBand - 1) return p.bottomLine;
    // Eased so the upper half stays bright and the darkening gathers near the bottom.
    const double t = std::clamp((y - 2) / double(layout::kSheetBand - 4), 0.0, 1.0);
    return mix(p.bandTop, p.bandBottom, t * (0.55 + 0.45 * t));
}

} // namespace vtl::art
