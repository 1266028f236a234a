#include "saved/ColorsText.h"

#include "color/Text.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace vtl {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE", kUtf16BeBom = "\xFE\xFF";

// The text the reader sees: everything before the first NUL.
template <class Char> std::basic_string_view<Char> UpToNul(std::basic_string_view<Char> text) {
    return text.substr(0, text.find(Char(0)));
}

template <class Char> bool OnlyNulsAndLineEnds(std::basic_string_view<Char> s) {
    for (const Char c : s)
        if (c != 0 && c != '\r' && c != '\n') return false;
    return true;
}

template <class Char>
std::vector<std::basic_string<Char>> SplitLines(std::basic_string_view<Char> text) {
    std::vector<std::basic_string<Char>> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

// The entries of a whole text; toText gives a line's 8-bit text and says whether it is exact.
template <class Char, class ToText>
SavedColorsText ParseText(std::basic_string_view<Char> all, const ToText& toText) {
    SavedColorsText result;
    const std::basic_string_view<Char> text = UpToNul(all);
    result.dropsText = !OnlyNulsAndLineEnds(all.substr(text.size()));
    for (const std::basic_string<Char>& read : SplitLines(text)) {
        std::string line;
        const bool exact = toText(read, line);
        TColor color = 0;
        try {
            color = HtmlToColor(line);
        } catch (const EConvertError&) {
            // Not a colour: no entry. Empty lines carry nothing worth a backup.
            if (!line.empty()) result.dropsText = true;
            continue;
        }
        // A letter the code page has not would be lost with the next write.
        if (!exact) result.dropsText = true;
        result.entries.push_back({std::move(line), color});
    }
    return result;
}

// UTF-16 as Notepad saves "Unicode" (little endian) and "Unicode big endian", after the mark.
SavedColorsText ParseUtf16(std::string_view bytes, bool bigEndian, const NarrowLine& narrow) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        units[i] = char16_t(hi << 8 | lo);
    }
    SavedColorsText result = ParseText<char16_t>(units, narrow);
    if (bytes.size() % 2) result.dropsText = true; // half a letter at the end
    return result;
}

} // namespace

bool NarrowAscii(std::u16string_view text, std::string& out) {
    out.clear();
    bool exact = true;
    for (const char16_t c : text) {
        exact = exact && c < 0x80;
        out += c < 0x80 ? char(c) : '?';
    }
    return exact;
}

std::vector<std::string> SplitColorLines(std::string_view bytes) {
    return SplitLines(UpToNul(bytes));
}

SavedColorsText ParseSavedColors(std::string_view bytes, const NarrowLine& narrow) {
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom))
        return ParseUtf16(bytes.substr(2), bytes.starts_with(kUtf16BeBom), narrow);
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    return ParseText(bytes, [](std::string_view line, std::string& out) {
        out = line;
        return true;
    });
}

std::string FormatSavedColors(const std::vector<std::string>& texts) {
    size_t size = 0;
    for (const std::string& t : texts)
        size += t.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& t : texts) {
        out += t;
        out += "\r\n";
    }
    return out;
}

void ApplySavedColorsChange(std::vector<SavedColor>& entries, const SavedColorsChange& change) {
    using Kind = SavedColorsChange::Kind;
    if (change.kind == Kind::Append) {
        entries.push_back(change.entry);
    } else if (change.kind == Kind::Remove) {
        const auto apart = [](size_t a, size_t b) { return a > b ? a - b : b - a; };
        size_t nearest = entries.size(), distance = SIZE_MAX;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].text != change.entry.text) continue;
            const size_t d =
                std::min(apart(i, change.position), apart(entries.size() - 1 - i, change.fromEnd));
            if (d < distance) {
                nearest = i;
                distance = d;
            }
        }
        if (nearest < entries.size()) entries.erase(entries.begin() + std::ptrdiff_t(nearest));
    } else {
        std::unordered_map<std::string_view, size_t> cleared;
        for (const std::string& text : change.shown)
            ++cleared[text];
        std::erase_if(entries, [&](const SavedColor& e) {
            const auto it = cleared.find(e.text);
            if (it == cleared.end() || it->second == 0) return false;
            --it->second;
            return true;
        });
    }
}

} // namespace vtl
