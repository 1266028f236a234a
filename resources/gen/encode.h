// File encoders for the pictures the program embeds: BMP files, icon files and packed files.
#pragma once

#include "image.h"

#include <cstdint>
#include <vector>

namespace vtl::art {

using Bytes = std::vector<std::uint8_t>;

// A complete 24-bit BMP file (file header, info header, bottom-up rows); alpha is dropped.
Bytes encodeBmp24(const Image& image);

// An .ico file holding the images in the given order, each as 32-bit BGRA with an AND mask.
// Pixels with alpha 0 are masked out (AND bit 1) and stored as black, so the icon keeps its
// transparency on systems that ignore alpha.
Bytes encodeIco(const std::vector<Image>& images);

// One image of an icon as an icon resource holds it (info header, BGRA rows, AND mask): what
// CreateIconFromResourceEx takes.
Bytes encodeIconImage(const Image& image);

// A file packed as the program stores its pictures (skin/PackedArt.h): the size of the data as
// 4 bytes, least significant first, then the data as a zlib stream at the best compression.
Bytes pack(const Bytes& data);

} // namespace vtl::art
