#include "settings/CopyTemplate.h"

#include <algorithm>
#include <cstdio>

namespace vtl {

namespace {

std::string Hex2(int channel, bool upper) {
    char text[3];
    std::snprintf(text, sizeof text, upper ? "%02X" : "%02x", channel);
    return text;
}

template <int Notation> std::string NotationOf(const TCopyValues& v) {
    return ColorToNotation(v.color, Notation);
}

struct TFieldName {
    const char* name;
    std::string (*field)(const TCopyValues&);
};

// clang-format off
constexpr TFieldName kFields[] = {
    {"R", [](const TCopyValues& v) { return std::to_string(GetRValue(v.color)); }},
    {"G", [](const TCopyValues& v) { return std::to_string(GetGValue(v.color)); }},
    {"B", [](const TCopyValues& v) { return std::to_string(GetBValue(v.color)); }},
    {"RR", [](const TCopyValues& v) { return Hex2(GetRValue(v.color), true); }},
    {"GG", [](const TCopyValues& v) { return Hex2(GetGValue(v.color), true); }},
    {"BB", [](const TCopyValues& v) { return Hex2(GetBValue(v.color), true); }},
    {"rr", [](const TCopyValues& v) { return Hex2(GetRValue(v.color), false); }},
    {"gg", [](const TCopyValues& v) { return Hex2(GetGValue(v.color), false); }},
    {"bb", [](const TCopyValues& v) { return Hex2(GetBValue(v.color), false); }},
    {"H", [](const TCopyValues& v) { return std::to_string(v.h); }},
    {"S", [](const TCopyValues& v) { return std::to_string(v.s); }},
    {"L", [](const TCopyValues& v) { return std::to_string(v.l); }},
    {"RGB", NotationOf<kNotationRGB>},
    {"Decimal", NotationOf<kNotationDecimal>},
    {"Hex", NotationOf<kNotationHex>},
    {"Html", NotationOf<kNotationHtml>},
    {"Delphi", NotationOf<kNotationDelphi>},
    {"VB", NotationOf<kNotationVB>},
    {"C", NotationOf<kNotationC>},
};
// clang-format on

// A mistyped name may be a whole line of text: the status bar shows its start.
std::string Shown(const std::string& name) {
    constexpr std::size_t kShown = 12;
    return name.size() <= kShown ? name : name.substr(0, kShown) + "...";
}

} // namespace

TCopyTemplate::TCopyTemplate(const std::string& text) {
    if (text.size() > kMaxCopyTemplate)
        throw ECopyTemplateError("copyonpick: over " + std::to_string(kMaxCopyTemplate) +
                                 " characters: see ReadMe");
    auto add = [this](Field field, std::string piece) {
        if (!field && !pieces_.empty() && !pieces_.back().field)
            pieces_.back().text += piece;
        else
            pieces_.push_back({field, std::move(piece)});
    };
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if (c == '}' || (c == '{' && doubled)) {
            add(nullptr, std::string(1, c));
            i += doubled ? 2 : 1;
        } else if (c == '{') {
            const std::size_t close = text.find_first_of("{}", i + 1);
            if (close == std::string::npos || text[close] == '{')
                throw ECopyTemplateError("copyonpick: unclosed { at " + std::to_string(i + 1) +
                                         ": see ReadMe");
            const std::string name = text.substr(i + 1, close - i - 1);
            Field field = nullptr;
            for (const TFieldName& f : kFields)
                if (name == f.name) field = f.field;
            if (!field)
                throw ECopyTemplateError("copyonpick: unknown {" + Shown(name) + "}: see ReadMe");
            add(field, {});
            i = close + 1;
        } else {
            const std::size_t next = std::min(text.find_first_of("{}", i), text.size());
            add(nullptr, text.substr(i, next - i));
            i = next;
        }
    }
}

std::string TCopyTemplate::Text(const TCopyValues& values) const {
    std::string text;
    for (const Piece& p : pieces_)
        text += p.field ? p.field(values) : p.text;
    return text;
}

} // namespace vtl
