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

// All files in a fixed order: icons, placeholder, then per skin the sheet, icon and tiles.
std::vector<ArtFile> allArtwork();

// Writes allArtwork() into dir (created if missing); throws std::runtime_error on failure.
void writeArtwork(const std::filesystem::path& dir);

} // namespace vtl::art
