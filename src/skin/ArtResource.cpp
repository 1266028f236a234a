#include "skin/ArtResource.h"

#include "skin/PackedArt.h"
#include "ui/Error.h"

#include <stdexcept>

namespace vtl {

namespace {

struct ResourceBytes {
    const void* data;
    DWORD size;
};

ResourceBytes FindArt(const std::string& name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = info ? SizeofResource(module, info) : 0;
    if (!data || size == 0) throw Error("Picture resource " + name + " not found");
    return {data, size};
}

std::vector<std::uint8_t> Unpack(const std::string& name) {
    const ResourceBytes packed = FindArt(name);
    try {
        return skin::UnpackArt(packed.data, packed.size);
    } catch (const std::runtime_error& e) {
        throw Error("Picture resource " + name + ": " + e.what());
    }
}

} // namespace

void RequireArt(const std::string& name) {
    FindArt(name);
}

TBitmap LoadArt(const std::string& name) {
    const std::vector<std::uint8_t> bmp = Unpack(name);
    return TBitmap::FromBmpFile(bmp.data(), bmp.size());
}

IconHandle LoadArtIcon(const std::string& name, int size) {
    std::vector<std::uint8_t> image = Unpack(name);
    // 0x00030000: the icon format of Windows 3.0 and later, which every icon resource has.
    IconHandle icon(CreateIconFromResourceEx(image.data(), DWORD(image.size()), TRUE, 0x00030000,
                                             size, size, LR_DEFAULTCOLOR));
    if (!icon) throw Error("Picture resource " + name + " is not an icon");
    return icon;
}

} // namespace vtl
