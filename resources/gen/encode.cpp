#include "encode.h"

#include <stdexcept>
#include <zlib.h>

namespace vtl::art {
namespace {

void put16(Bytes& out, unsigned v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;

void putInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize) {
    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1); // planes
    put16(out, unsigned(bits));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 0); // pixels per metre: unspecified
    put32(out, 0);
    put32(out, 0); // no colour table
    put32(out, 0);
}

std::uint32_t rowStride(int width, int bits) {
    return ((std::uint32_t(width) * bits + 31) / 32) * 4;
}

void putIconImage(Bytes& out, const Image& img) {
    const int w = img.width(), h = img.height();
    const std::uint32_t maskStride = rowStride(w, 1);
    const std::uint32_t size = std::uint32_t(w) * h * 4 + maskStride * h;
    // An icon's header counts the colour and mask bitmaps together: twice the height.
    putInfoHeader(out, w, 2 * h, 32, size);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgba p = img.at(x, y);
            const bool clear = p.a == 0;
            out.push_back(clear ? 0 : p.b);
            out.push_back(clear ? 0 : p.g);
            out.push_back(clear ? 0 : p.r);
            out.push_back(p.a);
        }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (img.at(x, y).a == 0) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

Bytes encodeBmp24(const Image& image) {
    const int w = image.width(), h = image.height();
    const std::uint32_t stride = rowStride(w, 24);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    out.reserve(offset + stride * h);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + stride * h);
    put32(out, 0); // reserved
    put32(out, offset);
    putInfoHeader(out, w, h, 24, stride * h);
    for (int y = h - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < w; ++x, written += 3) {
            const Rgba p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (; written < stride; ++written)
            out.push_back(0);
    }
    return out;
}

Bytes encodeIconImage(const Image& image) {
    Bytes out;
    putIconImage(out, image);
    return out;
}

Bytes encodeIco(const std::vector<Image>& images) {
    if (images.empty()) throw std::invalid_argument("an icon needs at least one image");
    Bytes out;
    put16(out, 0); // reserved
    put16(out, 1); // icon, not cursor
    put16(out, unsigned(images.size()));
    constexpr std::uint32_t kDirEntrySize = 16;
    std::uint32_t offset = 6 + kDirEntrySize * std::uint32_t(images.size());
    std::vector<Bytes> bodies;
    for (const Image& img : images) {
        if (img.width() > 256 || img.height() > 256) throw std::invalid_argument("icon too large");
        Bytes body;
        putIconImage(body, img);
        out.push_back(std::uint8_t(img.width() & 0xFF)); // 0 stands for 256
        out.push_back(std::uint8_t(img.height() & 0xFF));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, std::uint32_t(body.size()));
        put32(out, offset);
        offset += std::uint32_t(body.size());
        bodies.push_back(std::move(body));
    }
    for (const Bytes& b : bodies)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes pack(const Bytes& data) {
    uLongf length = compressBound(uLong(data.size()));
    Bytes out(4 + length);
    const auto size = std::uint32_t(data.size());
    for (int i = 0; i < 4; ++i)
        out[std::size_t(i)] = std::uint8_t(size >> (8 * i));
    if (compress2(out.data() + 4, &length, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) !=
        Z_OK)
        throw std::runtime_error("cannot pack a picture");
    out.resize(4 + length);
    return out;
}

} // namespace vtl::art
