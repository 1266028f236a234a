// MD5 message digest (RFC 1321). Needs no Windows headers, so it builds and is tested
// natively as well.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vtl {

using Md5Digest = std::array<std::uint8_t, 16>;

// The digest of the bytes of text (8-bit characters, no terminator).
Md5Digest Md5(std::string_view text);
// The digest as 32 lower-case hexadecimal digits, bytes in order, high nibble first.
std::string Md5Hex(std::string_view text);

} // namespace vtl
