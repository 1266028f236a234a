#include "ui/Bitmap.h"

#include "ui/Error.h"

#include <algorithm>
#include <cstring>

namespace vtl {

TBitmap::TBitmap(int width, int height) {
    dc_.Reset(CreateCompatibleDC(nullptr));
    CheckWin32(bool(dc_), "CreateCompatibleDC");
    Create(width, height);
}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : width_(other.width_), height_(other.height_), dc_(std::move(other.dc_)),
      bitmap_(std::move(other.bitmap_)), original_(std::exchange(other.original_, nullptr)),
      bits_(std::exchange(other.bits_, nullptr)) {}

TBitmap::~TBitmap() {
    // The bitmap must leave the DC before either is deleted.
    if (dc_ && original_) SelectObject(dc_.Get(), original_);
}

void TBitmap::Create(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    CheckWin32(bool(bmp), "CreateDIBSection");
    HGDIOBJ previous = SelectObject(dc_.Get(), bmp.Get());
    if (!original_) original_ = previous;
    bitmap_ = std::move(bmp);
    bits_ = static_cast<unsigned*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, size_t(width) * size_t(height) * 4);
}

void TBitmap::Resize(int width, int height) {
    if (width == width_ && height == height_) return;
    SelectObject(dc_.Get(), original_);
    Create(width, height);
}

TBitmap TBitmap::FromBmpFile(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' ||
        bytes[1] != 'M')
        throw Error("Bitmap image is not valid");
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, bytes, sizeof fh);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes + sizeof fh);
    const BITMAPINFOHEADER& ih = info->bmiHeader;
    if (fh.bfOffBits >= size || ih.biWidth <= 0 || ih.biHeight == 0)
        throw Error("Bitmap image is not valid");
    const int w = ih.biWidth;
    const int h = ih.biHeight < 0 ? -ih.biHeight : ih.biHeight;
    TBitmap result(w, h);
    if (!SetDIBitsToDevice(result.Dc(), 0, 0, w, h, 0, 0, 0, h, bytes + fh.bfOffBits, info,
                           DIB_RGB_COLORS))
        throw Error("Bitmap image is not valid");
    return result;
}

void TBitmap::FillRect(const RECT& r, COLORREF color) {
    // Direct writes: the buffer is cleared on every sample, so keep it free of GDI objects.
    const int left = std::max<int>(0, r.left), top = std::max<int>(0, r.top);
    const int right = std::min<int>(width_, r.right), bottom = std::min<int>(height_, r.bottom);
    GdiFlush();
    const unsigned px = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            bits_[size_t(y) * width_ + x] = px;
}

COLORREF TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const unsigned px = bits_[size_t(y) * width_ + x];
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

void TBitmap::SetPixel(int x, int y, COLORREF color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    GdiFlush();
    bits_[size_t(y) * width_ + x] =
        (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

} // namespace vtl
