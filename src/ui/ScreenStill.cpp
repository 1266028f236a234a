#include "ui/ScreenStill.h"

#include "ui/Error.h"

#include <new>

namespace vtl {

TScreenStill::TScreenStill(const RECT& bounds, const std::vector<RECT>& monitors)
    : bitmap_(bounds.right - bounds.left, bounds.bottom - bounds.top), origin_{bounds.left,
                                                                               bounds.top},
      monitors_(monitors) {}

std::unique_ptr<TScreenStill> TScreenStill::Take(const std::vector<RECT>& monitors) {
    RECT bounds{};
    for (const RECT& m : monitors)
        UnionRect(&bounds, &bounds, &m);
    if (IsRectEmpty(&bounds)) return nullptr;
    try {
        std::unique_ptr<TScreenStill> still(new TScreenStill(bounds, monitors));
        if (still->Copy()) return still;
    } catch (const Error&) {          // no bitmap that large
    } catch (const std::bad_alloc&) { // a 32-bit process runs out of room first
    }
    return nullptr;
}

bool TScreenStill::Copy() {
    WindowDC screen(nullptr);
    if (!screen.Get()) return false;
    // CAPTUREBLT takes layered windows too: tooltips, and menus with a shadow or fading in.
    // Between monitors of unequal size the copy stays black, as the screen shows nothing there.
    for (const RECT& m : monitors_)
        if (!BitBlt(bitmap_.Dc(), m.left - origin_.x, m.top - origin_.y, m.right - m.left,
                    m.bottom - m.top, screen.Get(), m.left, m.top, SRCCOPY | CAPTUREBLT))
            return false; // the screen may not be read now
    return true;
}

COLORREF TScreenStill::Pixel(int x, int y) const {
    const POINT p{x, y};
    for (const RECT& m : monitors_)
        if (PtInRect(&m, p)) return bitmap_.Pixel(x - origin_.x, y - origin_.y);
    return CLR_INVALID;
}

} // namespace vtl
