#include "saved/ColorsText.h"

#include "color/Text.h"

namespace vtl {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The text the reader sees: everything before the first NUL.
std::string_view UpToNul(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

bool OnlyNulsAndLineEnds(std::string_view s) {
    return s.find_first_not_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

} // namespace

std::vector<std::string> SplitColorLines(std::string_view bytes) {
    const std::string_view text = UpToNul(bytes);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

SavedColorsText ParseSavedColors(std::string_view bytes) {
    SavedColorsText result;
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    const std::string_view text = UpToNul(bytes);
    result.dropsText = !OnlyNulsAndLineEnds(bytes.substr(text.size()));
    for (std::string& line : SplitColorLines(text)) {
        TColor color = 0;
        try {
            color = HtmlToColor(line);
        } catch (const EConvertError&) {
            // Not a colour: no entry. Empty lines carry nothing worth a backup.
            if (!line.empty()) result.dropsText = true;
            continue;
        }
        result.entries.push_back({std::move(line), color});
    }
    return result;
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

} // namespace vtl
