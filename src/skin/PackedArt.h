// The program's pictures are stored zlib-compressed among its resources (the artwork
// generator packs them): about a sixth of their size, and only the scale a window is drawn
// at is ever unpacked. Free of Win32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vtl::skin {

// A packed picture: its unpacked size as 4 bytes, least significant first, then a zlib stream
// of exactly that many bytes (a complete BMP file). Throws std::runtime_error on anything else.
std::vector<std::uint8_t> UnpackArt(const void* data, std::size_t size);

} // namespace vtl::skin
