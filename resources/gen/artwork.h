// Every picture the program embeds, encoded as the files that the resource script names.
#pragma once

#include "encode.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vtl::art {

struct ArtFile {
    std::string name;
    Bytes bytes;
};

// Sizes of the program icon: the small and large icon sizes of 100 % to 300 %.
inline constexpr int kMainIconSizes[] = {16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96};

// All files in a fixed order: the program icon, then per scale (named with "_<dpi>" above 96
// dpi) the cursors' pictures, the placeholder, and per skin the sheet, icon and tiles. All but
// the program icon (which the shell reads) are packed (".z", pack()): the program unpacks only
// those of the scale it is drawn at.
std::vector<ArtFile> allArtwork();

// Writes allArtwork() into dir (created if missing); throws std::runtime_error on failure.
void writeArtwork(const std::filesystem::path& dir);

} // namespace vtl::art
