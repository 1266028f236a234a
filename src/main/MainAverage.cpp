// The picked colour as the mean of a square of 3 x 3 to 9 x 9 screen pixels around the
// pointer, chosen with the digit keys during a pick, and its outline on the magnifier.
#include "color/Contrast.h"
#include "main/AverageArea.h"
#include "main/MainForm.h"
#include "main/ZoomGeometry.h"
#include "settings/Settings.h"
#include "settings/SettingsRules.h"
#include "ui/Screen.h"

#include <climits>

namespace vtl {

namespace {

// The numeric pad's digits arrive as navigation keys while Num Lock is off; the keys of the
// same name elsewhere are extended ones.
int NumPadDigitWithoutNumLock(const MSG& msg) {
    if (msg.lParam & (1 << 24)) return 0;
    switch (msg.wParam) {
    case VK_END: return 1;
    case VK_NEXT: return 3;
    case VK_CLEAR: return 5;
    case VK_HOME: return 7;
    case VK_PRIOR: return 9;
    default: return 0;
    }
}

PixelRect ToPixelRect(const RECT& r, POINT offset) {
    return {int(r.left - offset.x), int(r.top - offset.y), int(r.right - offset.x),
            int(r.bottom - offset.y)};
}

} // namespace

int TfrmMain::AverageSizeKey(const MSG& msg) {
    // With Ctrl or Alt a digit is a shortcut (Ctrl+1 copies), not a size.
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return 0;
    int digit = NumPadDigitWithoutNumLock(msg);
    if (msg.wParam >= '1' && msg.wParam <= '9') digit = int(msg.wParam - '0');
    if (msg.wParam >= VK_NUMPAD1 && msg.wParam <= VK_NUMPAD9) digit = int(msg.wParam - VK_NUMPAD0);
    return IsAverageSize(digit) ? digit : 0;
}

void TfrmMain::SetAverage(int size) {
    if (size == average_) return;
    average_ = size;
    StoreSetting([size] { WriteAverageSetting(size); });
    lastPointer_ = {LONG_MIN, LONG_MIN}; // sampled again where the pointer stands
    FormMouseMove();
}

COLORREF TfrmMain::AverageFromGrab(POINT p) const {
    const TBitmap& grab = *FZoomBuffer;
    const GrabOrigin o = GrabOriginFor(p.x, p.y, grab.Width(), grab.Height());
    std::vector<PixelRect> monitors;
    for (const RECT& m : still_ ? still_->Monitors() : Screen().MonitorRects())
        monitors.push_back(ToPixelRect(m, {o.left, o.top}));
    const auto mean =
        AverageColor(AverageSquare(grab.Width() / 2, grab.Height() / 2, average_), monitors,
                     [&](int x, int y) { return std::uint32_t(grab.Pixel(x, y)); });
    return mean ? COLORREF(*mean) : CLR_INVALID;
}

void TfrmMain::OutlineAverage() {
    if (average_ == 1) {
        zoomUnmarked_.reset();
        return;
    }
    TBitmap& shown = imgZoom->Bitmap();
    const int w = shown.Width(), h = shown.Height();
    if (!zoomUnmarked_)
        zoomUnmarked_ = std::make_unique<TBitmap>(w, h);
    else
        zoomUnmarked_->Resize(w, h);
    BitBlt(zoomUnmarked_->Dc(), 0, 0, w, h, shown.Dc(), 0, 0, SRCCOPY);
    // One pixel outside the square, in black or white, whichever stands out from its mean.
    const PixelRect s = MagnifiedSquare(w, h, IndexToZoom(cboZoom->ItemIndex()), average_);
    const COLORREF ink = ContrastingText(CurrentColor());
    const RECT frame{s.left - 1, s.top - 1, s.right + 1, s.bottom + 1};
    shown.FillRect({frame.left, frame.top, frame.right, frame.top + 1}, ink);
    shown.FillRect({frame.left, frame.bottom - 1, frame.right, frame.bottom}, ink);
    shown.FillRect({frame.left, frame.top, frame.left + 1, frame.bottom}, ink);
    shown.FillRect({frame.right - 1, frame.top, frame.right, frame.bottom}, ink);
}

} // namespace vtl
