// The text of colors.ini: one Html notation per line in the system code page. Written with
// CR LF after every line (an empty list is an empty file); read with CR LF, a lone CR or a lone
// LF as line ends, up to the first NUL. A file Notepad saved as UTF-8 or UTF-16 (with its
// byte-order mark) is read too. No Win32 here, so both builds test it.
#pragma once

#include "color/ColorValue.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
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

// Gives a line of UTF-16 text in the system code page; false when a letter did not survive.
using NarrowLine = std::function<bool(std::u16string_view, std::string&)>;
// The portable stand-in: ASCII survives, anything else becomes '?'.
bool NarrowAscii(std::u16string_view text, std::string& out);

// The entries of the file. A leading UTF-8 byte-order mark is dropped; after a UTF-16 one
// (little or big endian) each line is narrowed. A line that is not a colour adds no entry.
SavedColorsText ParseSavedColors(std::string_view bytes, const NarrowLine& narrow = NarrowAscii);

// The file's bytes for these entry texts.
std::string FormatSavedColors(const std::vector<std::string>& texts);

// One change the user made to the list, made again to the file as another program left it.
struct SavedColorsChange {
    enum class Kind { Append, Remove, Clear };
    Kind kind;
    SavedColor entry;               // appended, or removed (its text)
    size_t position, fromEnd;       // where the removed entry was in the list, from either end
    std::vector<std::string> shown; // what the list showed when it was cleared

    static SavedColorsChange Appended(SavedColor entry) {
        return {Kind::Append, std::move(entry), 0, 0, {}};
    }
    static SavedColorsChange Removed(std::string text, size_t position, size_t listSize) {
        return {Kind::Remove, {std::move(text), 0}, position, listSize - 1 - position, {}};
    }
    static SavedColorsChange Cleared(std::vector<std::string> shown) {
        return {Kind::Clear, {}, 0, 0, std::move(shown)};
    }
};

// An appended entry goes to the end. A removed one takes, of the entries with its text, the one
// nearest its position counted from the start or from the end (lines another program added or
// removed above it, or below it, do not move it); none with its text: nothing goes. A clear
// removes one entry for each text the list showed, and keeps what came since.
void ApplySavedColorsChange(std::vector<SavedColor>& entries, const SavedColorsChange& change);

} // namespace vtl
