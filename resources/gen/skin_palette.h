// Colours and corner shapes of the three window skins, and the title band's colour per row.
#pragma once

#include "color.h"
#include "layouts/FrameSheet.h"

#include <array>

namespace vtl::art {

inline constexpr int kCornerRows = 6;

struct SkinPalette {
    char letter;
    Rgb bandTop;     // band colour just under the highlight line
    Rgb bandBottom;  // band colour just above the bottom line
    Rgb highlight;   // the light line under the top edge
    Rgb bottomLine;  // the dark last row of the band
    Rgb edge;        // outline around the window
    Rgb border;      // body of the side and bottom borders
    Rgb borderLight; // their inner edge next to the content
    Rgb content;     // background of the window's content
    // Key-coloured pixels per row at each outer top corner, counted from the outer edge.
    std::array<int, kCornerRows> leftCorner;
    std::array<int, kCornerRows> rightCorner;
};

// The skins "B", "G" and "O"; throws for any other letter.
const SkinPalette& skinPalette(char letter);

inline constexpr std::array<char, 3> kSkinLetters{'B', 'G', 'O'};

// The band's plain vertical gradient at row y (fractional for a scaled band), before edges and
// highlight are drawn on it.
Rgb bandGradient(const SkinPalette& p, double y);

} // namespace vtl::art
