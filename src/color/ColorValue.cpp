#include "color/ColorValue.h"

#include "color/Text.h"

namespace vtl {

namespace {

// Upper-case hexadecimal with at least minDigits digits; never cut.
std::string Hex(std::uint32_t value, int minDigits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    const auto width = static_cast<std::size_t>(minDigits);
    if (out.size() < width) out.insert(0, width - out.size(), '0');
    return out;
}

// Characters from 1-based position start on; shorter or empty where the text runs out.
std::string Piece(const std::string& text, std::size_t start, std::size_t count) {
    if (start > text.size()) return {};
    return text.substr(start - 1, count);
}

} // namespace

std::string ColorToNotation(TColor c, int notation) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    // Built by appending: g++ 12 warns falsely (-Wrestrict) on "literal" + std::string.
    std::string out;
    switch (notation) {
    case kNotationRGB:
        out.append(std::to_string(r)).append(", ").append(std::to_string(g)).append(", ");
        out.append(std::to_string(b));
        break;
    case kNotationDecimal: out = std::to_string(static_cast<std::int32_t>(c)); break;
    case kNotationHex: out.append(Hex(r, 2)).append(Hex(g, 2)).append(Hex(b, 2)); break;
    case kNotationHtml:
        out.append("#").append(Hex(r, 2)).append(Hex(g, 2)).append(Hex(b, 2));
        break;
    case kNotationDelphi: out.append("$00").append(Hex(c, 6)); break;
    case kNotationVB: out.append("&H00").append(Hex(c, 6)).append("&"); break;
    case kNotationC: out.append("0x").append(Hex(c, 6)); break;
    default: break;
    }
    return out;
}

TColor HtmlToColor(const std::string& text) {
    // The pieces are swapped into BBGGRR order and read as one hexadecimal number, so a
    // short text shifts rather than fails.
    std::string joined = "$";
    joined.append(Piece(text, 6, 2)).append(Piece(text, 4, 2)).append(Piece(text, 2, 2));
    return static_cast<TColor>(StrToInt(joined));
}

} // namespace vtl
