#include "ui/SystemColors.h"

#include <algorithm>

namespace vtl {

namespace {

struct SchemeState {
    TColorScheme scheme = TColorScheme::FromSystem();
    bool fixed = false; // set by SetColorScheme
    unsigned version = 0;
};
SchemeState& State() {
    static SchemeState state;
    return state;
}

} // namespace

TColorScheme TColorScheme::FromSystem() {
    TColorScheme s;
    HIGHCONTRASTA hc{};
    hc.cbSize = sizeof hc;
    s.highContrast = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
                     (hc.dwFlags & HCF_HIGHCONTRASTON);
    for (int i = 0; i <= COLOR_MENUBAR; ++i)
        s.colors[i] = GetSysColor(i);
    return s;
}

COLORREF ResolveColor(COLORREF color) {
    if (color == CLR_INVALID) return color;
    const TColorScheme& s = State().scheme;
    const int index = int((color >> 24) & 0x3F);
    if (index > COLOR_MENUBAR) return color & 0xFFFFFF;
    if (color & 0x80000000u) return s.colors[index];
    if (color & 0x40000000u) return s.highContrast ? s.colors[index] : color & 0xFFFFFF;
    return color;
}

bool HighContrast() {
    return State().scheme.highContrast;
}

namespace {
void Replace(const TColorScheme& scheme, bool fixed) {
    SchemeState& state = State();
    state.fixed = fixed;
    if (scheme.highContrast == state.scheme.highContrast &&
        std::equal(std::begin(scheme.colors), std::end(scheme.colors),
                   std::begin(state.scheme.colors)))
        return;
    state.scheme = scheme;
    ++state.version;
}
} // namespace

void UpdateColorScheme() {
    if (!State().fixed) Replace(TColorScheme::FromSystem(), false);
}

unsigned ColorSchemeVersion() {
    return State().version;
}

void SetColorScheme(const TColorScheme& scheme) {
    Replace(scheme, true);
}

void UseSystemColorScheme() {
    Replace(TColorScheme::FromSystem(), false);
}

HBRUSH TColorBrush::Get(COLORREF color) {
    if (!brush_ || color_ != color) {
        brush_.Reset(CreateSolidBrush(color));
        color_ = color;
    }
    return brush_.Get();
}

void DrawIconInColor(HDC dc, HICON icon, int width, int height, COLORREF color) {
    // The icon's mask, 0 where it is opaque, selects where the colour goes.
    MemoryDC maskDc(CreateCompatibleDC(dc));
    BitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!maskDc || !mask) return;
    SelectScope selected(maskDc.Get(), mask.Get());
    PatBlt(maskDc.Get(), 0, 0, width, height, WHITENESS);
    DrawIconEx(maskDc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_MASK);
    DCStateScope state(dc);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, color);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kBrushWhereMaskIsClear = 0x00B8074A; // PSDPxax
    BitBlt(dc, 0, 0, width, height, maskDc.Get(), 0, 0, kBrushWhereMaskIsClear);
}

} // namespace vtl
