// How well one colour reads on another: the contrast ratio of their relative luminances, as
// accessibility guidelines measure it, from 1 (none) to 21 (black on white). Text wants 4.5 or
// more, large text and symbols 3.
#pragma once

#include <cstdint>

namespace vtl {

// Colours as 0x00BBGGRR.
double ContrastRatio(std::uint32_t a, std::uint32_t b);
// Black or white, whichever reads better on `background`.
std::uint32_t ContrastingText(std::uint32_t background);

} // namespace vtl
