#pragma once

// <windows.h> defines GetRValue, GetGValue, GetBValue and RGB as macros. Included before
// this header, they are dropped here and the functions below take their place (same
// results). Included after it, the macros shadow the calls: use the macros, which give
// the same values, or write (vtl::RGB)(r, g, b). The parenthesised names below keep the
// declarations themselves out of reach of the macros either way.
#undef GetRValue
#undef GetGValue
#undef GetBValue
#undef RGB

#include <cstdint>
#include <string>

namespace vtl {

// 0x00BBGGRR, red in the low byte. Values we build keep the top byte 0; values from
// outside (a screen pixel, the colour dialog) are kept and shown as they are.
using TColor = std::uint32_t;

constexpr std::uint8_t(GetRValue)(TColor c) {
    return static_cast<std::uint8_t>(c);
}
constexpr std::uint8_t(GetGValue)(TColor c) {
    return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t(GetBValue)(TColor c) {
    return static_cast<std::uint8_t>(c >> 16);
}

// Each channel is cut to its low 8 bits: 256 counts as 0, 300 as 44.
constexpr TColor(RGB)(int r, int g, int b) {
    return (static_cast<TColor>(r) & 0xFF) | (static_cast<TColor>(g) & 0xFF) << 8 |
           (static_cast<TColor>(b) & 0xFF) << 16;
}

// The notations by number, as shown in the main window and copied to the clipboard.
enum Notation : int {
    kNotationRGB = 1, // "247, 213, 185"
    kNotationDecimal, // "12178935"
    kNotationHex,     // "F7D5B9"
    kNotationHtml,    // "#F7D5B9"
    kNotationDelphi,  // "$00B9D5F7"
    kNotationVB,      // "&H00B9D5F7&"
    kNotationC,       // "0xB9D5F7"
    kNotationCount = 7
};

// Text of notation 1..7 of c; any other number gives "".
std::string ColorToNotation(TColor c, int notation);

// Reads an Html notation back: characters 2-7 as RRGGBB, the first and anything past the
// seventh ignored, a short text giving a shifted value. Throws EConvertError (color/Text.h)
// naming the "$BBGGRR" text it tried to convert.
TColor HtmlToColor(const std::string& text);

} // namespace vtl
