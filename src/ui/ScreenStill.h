// A copy of every monitor of the desktop taken at one moment, read in place of the screen, so
// that what was shown then (another program's menu, tooltip or hover state) can still be picked
// after the windows under the pointer have changed.
#pragma once

#include "ui/Bitmap.h"

#include <memory>
#include <vector>

namespace vtl {

class TScreenStill {
  public:
    // Copies the monitors, in virtual-screen coordinates. None when the copy cannot be had:
    // not memory enough for it, or a screen that may not be read (a secure desktop).
    static std::unique_ptr<TScreenStill> Take(const std::vector<RECT>& monitors);

    // The copy, with the virtual screen's point `Origin()` at its top-left pixel.
    HDC Dc() const { return bitmap_.Dc(); }
    POINT Origin() const { return origin_; }
    const std::vector<RECT>& Monitors() const { return monitors_; }
    // A pixel as GetPixel on the screen gives it; CLR_INVALID off every monitor.
    COLORREF Pixel(int x, int y) const;

  private:
    TScreenStill(const RECT& bounds, const std::vector<RECT>& monitors);
    bool Copy();

    TBitmap bitmap_;
    POINT origin_;
    std::vector<RECT> monitors_;
};

} // namespace vtl
