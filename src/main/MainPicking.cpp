// Screen sampling while a "+" icon is dragged, and the magnifier.
#include "main/MainForm.h"
#include "main/ZoomGeometry.h"
#include "settings/SettingsRules.h"
#include "ui/Application.h"

#include <cstdio>

namespace vtl {

void TfrmMain::imgDragMouseDown(TMouseButton button) {
    StartPick(*imgDrag, button);
}

void TfrmMain::imgDrag2MouseDown(TMouseButton button) {
    StartPick(*imgDrag2, button);
}

void TfrmMain::StartPick(TImage& icon, TMouseButton button) {
    if (button != TMouseButton::Left) return;
    SetCapture(Handle());
    Screen().SetCursor(crPicker);
    FPicking = true;
    icon.SetVisible(false); // it looks picked up
}

void TfrmMain::FormMouseMove() {
    if (!FPicking) return;
    POINT p;
    GetCursorPos(&p);
    COLORREF pixel;
    {
        // The screen is read before the views change: the refresh only invalidates, so the
        // grab sees the same screen either way, and under Wine controls update several times
        // slower while a screen DC is held.
        WindowDC screen(nullptr);
        pixel = GetPixel(screen.Get(), p.x, p.y);
        Grab(screen.Get(), p);
    }
    // A pixel that cannot be read (off every monitor) leaves the colour as it was.
    if (pixel != CLR_INVALID) {
        SetCurrentColor(pixel);
        ShowRGB();
        ShowHSL();
        ShowColorValues();
    }
    DrawZoom();
    ShowStatus(true);
}

void TfrmMain::Grab(HDC screen, POINT p) {
    const int w = FZoomBuffer->Width(), h = FZoomBuffer->Height();
    FZoomBuffer->Fill(0);
    // Not shifted at screen edges: what lies outside the screen stays black. Only the part
    // on the screen is copied, since some systems copy nothing when any of it is outside.
    const GrabOrigin o = GrabOriginFor(p.x, p.y, w, h);
    const RECT grab{o.left, o.top, o.left + w, o.top + h};
    // The screen DC's clip box is the virtual screen; asking for the system metrics instead
    // costs several round trips to the window server per move under Wine.
    RECT desktop;
    if (GetClipBox(screen, &desktop) == ERROR) return;
    if (RECT part; IntersectRect(&part, &grab, &desktop)) {
        const int pw = part.right - part.left, ph = part.bottom - part.top;
        StretchBlt(FZoomBuffer->Dc(), part.left - grab.left, part.top - grab.top, pw, ph, screen,
                   part.left, part.top, pw, ph, SRCCOPY);
    }
}

void TfrmMain::FormMouseUp(TMouseButton button) {
    if (button != TMouseButton::Left) return;
    EndPick(true);
}

void TfrmMain::EndPick(bool releaseCapture) {
    if (releaseCapture) {
        endingPick_ = true;
        ReleaseCapture();
        endingPick_ = false;
    }
    Screen().SetCursor(crDefault);
    FPicking = false;
    imgDrag->SetVisible(true);
    imgDrag2->SetVisible(true);
    ShowStatus(false);
}

void TfrmMain::imgZoomMouseDown(int x, int y) {
    SetCurrentColor(imgZoom->Bitmap().Pixel(x, y));
    ShowRGB();
    ShowHSL();
    ShowColorValues();
}

void TfrmMain::cboZoomClick() {
    // The magnifier follows the list whether or not the choice can be stored.
    DrawZoom();
    StoreSetting([this] { WriteZoom(IndexToZoom(cboZoom->ItemIndex())); });
}

void TfrmMain::DrawZoom() {
    TBitmap& canvas = imgZoom->Bitmap();
    const int w = imgZoom->Width(), h = imgZoom->Height();
    canvas.Fill(0);
    const ZoomSource s = ZoomSourceRect(w, h, IndexToZoom(cboZoom->ItemIndex()));
    StretchBlt(canvas.Dc(), 0, 0, w, h, FZoomBuffer->Dc(), s.left, s.top, s.width, s.height,
               SRCCOPY);
    imgZoom->Invalidate();
}

void TfrmMain::ShowStatus(bool tracking) {
    if (!tracking) {
        StatusBar1->SetSimpleText("To pick color, please drag \"+\" icon.");
        return;
    }
    POINT p;
    GetCursorPos(&p);
    char text[48];
    std::snprintf(text, sizeof text, "X:%ld Y:%ld", long(p.x), long(p.y));
    StatusBar1->SetSimpleText(text);
}

} // namespace vtl
