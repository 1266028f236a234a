#include "saved/Swatches.h"

#include "ui/Error.h"
#include "ui/Handles.h"

#include <algorithm>

namespace vtl {

namespace {

constexpr size_t kBatch = 500;

// A swatch in two steps at x: white outline and black fill, then the colour 2 pixels (at
// 96 dpi: an eighth of the height) in.
void DrawSwatch(HDC dc, int x, int w, int h, TColor color) {
    const int inset = h / 8;
    SetDCPenColor(dc, 0x00FFFFFF);
    SetDCBrushColor(dc, 0);
    Rectangle(dc, x, 0, x + w, h);
    // A top byte from outside would read as a palette index here.
    color &= 0x00FFFFFF;
    SetDCPenColor(dc, color);
    SetDCBrushColor(dc, color);
    Rectangle(dc, x + inset, inset, x + w - inset, h - inset);
}

} // namespace

int AddSwatches(TImageList& images, std::span<const TColor> colors) {
    const int w = images.Width(), h = images.Height();
    int first = -1;
    for (size_t done = 0; done < colors.size();) {
        const size_t n = std::min(kBatch, colors.size() - done);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = int(n) * w;
        bi.bmiHeader.biHeight = h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        BitmapHandle strip(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        CheckWin32(bool(strip), "CreateDIBSection");
        {
            MemoryDC dc(CreateCompatibleDC(nullptr));
            CheckWin32(bool(dc), "CreateCompatibleDC");
            SelectScope bitmap(dc.Get(), strip.Get());
            SelectScope pen(dc.Get(), GetStockObject(DC_PEN));
            SelectScope brush(dc.Get(), GetStockObject(DC_BRUSH));
            for (size_t i = 0; i < n; ++i)
                DrawSwatch(dc.Get(), int(i) * w, w, h, colors[done + i]);
        } // the image list takes the bitmap only when no DC holds it
        const int index = images.Add(strip.Get());
        CheckWin32(index >= 0, "ImageList_Add");
        if (first < 0) first = index;
        done += n;
    }
    return first;
}

} // namespace vtl
