// The text of colors.ini: one Html notation per line in the system code page. Written with
// CR LF after every line (an empty list is an empty file); read with CR LF, a lone CR or a lone
// LF as line ends, up to the first NUL. No Win32 here, so both builds test it.
#pragma once

#include "color/ColorValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace vtl {

struct SavedColor {
    std::string text; // exactly as read or saved: case and anything past the colour stay
    TColor color;
};

struct SavedColorsText {
    std::vector<SavedColor> entries;
    // Something the list cannot hold would go with the next write (a line that is not a
    // colour, text after a NUL): the file as read deserves a backup first.
    bool dropsText = false;
};

// The lines of the text as read; a line end at the very end adds no empty line.
std::vector<std::string> SplitColorLines(std::string_view bytes);

// The entries of the file. A leading UTF-8 byte-order mark is dropped; a line that is not a
// colour adds no entry.
SavedColorsText ParseSavedColors(std::string_view bytes);

// The file's bytes for these entry texts.
std::string FormatSavedColors(const std::vector<std::string>& texts);

} // namespace vtl
