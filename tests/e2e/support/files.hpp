// Files the program under test writes, read whole, and text as Notepad writes it.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace vtl::e2e {

// The bytes of the file; empty when it is missing or cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The text as Notepad's "Unicode" saves it: UTF-16 after its byte-order mark.
inline std::string utf16File(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : text)
        bytes +=
            bigEndian ? std::string{char(c >> 8), char(c)} : std::string{char(c), char(c >> 8)};
    return bytes;
}

} // namespace vtl::e2e
