#include "artwork.h"

#include "frame_sheet.h"
#include "icons.h"
#include "placeholder.h"
#include "title_art.h"

#include <fstream>
#include <stdexcept>

namespace vtl::art {

std::vector<ArtFile> allArtwork() {
    std::vector<ArtFile> files;
    files.push_back({"mainicon.ico", encodeIco({mainIcon(16), mainIcon(32)})});
    files.push_back({"picker.ico", encodeIco({pickerIcon()})});
    files.push_back({"zoom.ico", encodeIco({zoomIcon()})});
    files.push_back({"placeholder.bmp", encodeBmp24(magnifierPlaceholder())});
    for (char letter : kSkinLetters) {
        const SkinPalette& p = skinPalette(letter);
        const std::string suffix = std::string(1, letter) + ".bmp";
        files.push_back({"RES_FORM_" + suffix, encodeBmp24(frameSheet(p))});
        files.push_back({"RES_ICON_" + suffix, encodeBmp24(titleIcon(p))});
        files.push_back({"RES_TITLE_" + suffix, encodeBmp24(titleTiles(p))});
    }
    return files;
}

void writeArtwork(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    for (const ArtFile& f : allArtwork()) {
        const std::filesystem::path path = dir / f.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(f.bytes.data()), std::streamsize(f.bytes.size()));
        out.close();
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace vtl::art
