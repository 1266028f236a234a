#include "artwork.h"

#include "frame_sheet.h"
#include "icons.h"
#include "placeholder.h"
#include "layouts/Scale.h"
#include "title_art.h"

#include <fstream>
#include <stdexcept>

namespace vtl::art {

std::vector<ArtFile> allArtwork() {
    std::vector<ArtFile> files;
    // The program icon at the small and large icon sizes of every scale; the system picks one.
    std::vector<Image> icons;
    for (int size : kMainIconSizes)
        icons.push_back(mainIcon(size));
    files.push_back({"mainicon.ico", encodeIco(icons)});
    for (int dpi : layout::kArtDpis) {
        // The cursors' pictures, one icon image each.
        files.push_back(
            {layout::ArtName("picker", dpi, ".icon.z"), pack(encodeIconImage(pickerIcon(dpi)))});
        files.push_back(
            {layout::ArtName("zoom", dpi, ".icon.z"), pack(encodeIconImage(zoomIcon(dpi)))});
        files.push_back({layout::ArtName("placeholder", dpi, ".bmp.z"),
                         pack(encodeBmp24(magnifierPlaceholder(dpi)))});
        for (char letter : kSkinLetters) {
            const SkinPalette& p = skinPalette(letter);
            const std::string l(1, letter);
            files.push_back({layout::ArtName("RES_FORM_" + l, dpi, ".bmp.z"),
                             pack(encodeBmp24(frameSheet(p, dpi)))});
            files.push_back({layout::ArtName("RES_ICON_" + l, dpi, ".bmp.z"),
                             pack(encodeBmp24(titleIcon(p, dpi)))});
            files.push_back({layout::ArtName("RES_TITLE_" + l, dpi, ".bmp.z"),
                             pack(encodeBmp24(titleTiles(p, dpi)))});
        }
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
