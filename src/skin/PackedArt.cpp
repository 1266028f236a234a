#include "skin/PackedArt.h"

#include <stdexcept>
#include <zlib.h>

namespace vtl::skin {

namespace {

// Larger than any picture of the program (the largest, at 300 %, is under 1 MB): a damaged
// size never asks for more memory than that.
constexpr std::uint32_t kMaxUnpacked = 16u << 20;

} // namespace

std::vector<std::uint8_t> UnpackArt(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (size < 4) throw std::runtime_error("packed picture too short");
    const std::uint32_t unpacked = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                   std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    if (unpacked == 0 || unpacked > kMaxUnpacked)
        throw std::runtime_error("packed picture damaged");
    std::vector<std::uint8_t> out(unpacked);
    uLongf length = unpacked;
    // Z_OK only when the stream ends, its check sum matches and everything fitted; a stream that
    // holds less leaves length short.
    if (uncompress(out.data(), &length, bytes + 4, uLong(size - 4)) != Z_OK || length != unpacked)
        throw std::runtime_error("packed picture damaged");
    return out;
}

} // namespace vtl::skin
