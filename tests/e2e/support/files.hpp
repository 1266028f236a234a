// Files the program under test writes, read whole.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vtl::e2e {

// The bytes of the file; empty when it is missing or cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace vtl::e2e
