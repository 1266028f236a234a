// An off-screen picture with its own memory DC, selected for the bitmap's whole life,
// so painting into it or reading from it never allocates a GDI object.
#pragma once

#include "ui/Handles.h"

namespace vtl {

class TBitmap {
  public:
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Loads a complete BMP file (file header included) held in memory, e.g. an RCDATA resource.
    static TBitmap FromBmpFile(const void* data, size_t size);
    TBitmap(TBitmap&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Handle() const { return bitmap_.Get(); }

    // Gives the picture a new size; the content is cleared to black.
    void Resize(int width, int height);
    // Outline and fill in one colour over the rectangle (a filled rectangle, as a canvas does).
    void FillRect(const RECT& r, COLORREF color);
    void Fill(COLORREF color) { FillRect({0, 0, width_, height_}, color); }
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

  private:
    void Create(int width, int height);

    int width_ = 0;
    int height_ = 0;
    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ original_ = nullptr;
    unsigned* bits_ = nullptr;
};

} // namespace vtl
