// Line protocol shared by vtlprobe.exe (Win32) and the native test driver.
//
// The driver writes one command per line; the probe answers with zero or more lines followed by
// a line holding a single ".". A reply line that itself starts with "." gets a second "." in
// front (dot-stuffing), so "." alone always ends a reply. An answer whose first line starts with
// "ERR " reports a failed command. Free text (window texts, class names) is escaped so it fits on
// one line: backslash, CR, LF and TAB become \\, \r, \n and \t; inside a space-separated field a
// space becomes \s as well.
//
// Header-only and free of Win32 so both sides compile it.
#pragma once

#include <string>
#include <string_view>

namespace vtl::probe {

inline constexpr std::string_view kEndOfReply = ".";
inline constexpr std::string_view kErrorPrefix = "ERR ";

enum class EscapeMode { Text, Field };

inline std::string escape(std::string_view text, EscapeMode mode = EscapeMode::Text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case ' ':
            if (mode == EscapeMode::Field) {
                out += "\\s";
            } else {
                out += ' ';
            }
            break;
        default: out += c; break;
        }
    }
    return out;
}

// Reverses escape(); an unknown or dangling escape is kept as it was written.
inline std::string unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[i + 1]) {
        case '\\': out += '\\'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 's': out += ' '; break;
        default:
            out += '\\';
            out += text[i + 1];
            break;
        }
        ++i;
    }
    return out;
}

// Dot-stuffing of one reply line, and its reverse.
inline std::string stuffLine(std::string_view line) {
    std::string out;
    out.reserve(line.size() + 1);
    if (!line.empty() && line.front() == '.') out.push_back('.');
    out.append(line);
    return out;
}

inline std::string unstuffLine(std::string_view line) {
    if (line.size() >= 2 && line[0] == '.' && line[1] == '.') return std::string(line.substr(1));
    return std::string(line);
}

} // namespace vtl::probe
