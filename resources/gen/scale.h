// The display scales the artwork is drawn for, and the rule that scales a 96-dpi length.
#pragma once

#include <array>
#include <string>

namespace vtl::art {

// 100, 125, 150, 175, 200, 250 and 300 %.
inline constexpr std::array<int, 7> kArtDpis{96, 120, 144, 168, 192, 240, 288};

// A 96-dpi length (not negative) at dpi, rounded to the nearest pixel as MulDiv rounds.
constexpr int scaled(int value, int dpi) {
    return (value * dpi + 48) / 96;
}

// The resource file name of a picture at a DPI: the 96-dpi name, or the name with "_<dpi>"
// before the extension.
inline std::string scaledName(const std::string& base, const std::string& extension, int dpi) {
    return dpi == 96 ? base + extension : base + "_" + std::to_string(dpi) + extension;
}

} // namespace vtl::art
