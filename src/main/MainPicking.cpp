// Screen sampling while a "+" icon is dragged or after Ctrl+P or the global shortcut, and
// the magnifier.
#include "main/MainForm.h"
#include "main/ZoomGeometry.h"
#include "settings/Settings.h"
#include "settings/SettingsRules.h"
#include "ui/Application.h"
#include "ui/Screen.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace vtl {

namespace {

// The pointer in physical pixels: on a scaled display the plain calls work in the program's
// logical pixels, which may be several physical ones. Systems before Vista do not scale and
// lack the physical calls.
class PhysicalCursor {
  public:
    PhysicalCursor() {
        HMODULE user = GetModuleHandleA("user32.dll");
        auto get = SystemFunction<GetFn>(user, "GetPhysicalCursorPos");
        auto set = SystemFunction<SetFn>(user, "SetPhysicalCursorPos");
        if (get && set) get_ = get, set_ = set;
    }
    void MoveBy(int dx, int dy) const {
        POINT p;
        if (get_(&p)) set_(p.x + dx, p.y + dy);
    }

  private:
    using GetFn = BOOL(WINAPI*)(LPPOINT);
    using SetFn = BOOL(WINAPI*)(int, int);
    GetFn get_ = &GetCursorPos;
    SetFn set_ = &SetCursorPos;
};

// What ends a pick without a held button when it reaches the program, as Enter does.
bool IsButtonPress(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_XBUTTONDOWN;
}

} // namespace

void TfrmMain::imgDragMouseDown(TMouseButton button) {
    StartPick(*imgDrag, button);
}

void TfrmMain::imgDrag2MouseDown(TMouseButton button) {
    StartPick(*imgDrag2, button);
}

void TfrmMain::StartPick(TImage& icon, TMouseButton button) {
    if (button != TMouseButton::Left) return;
    SetCapture(Handle());
    BeginPick(icon);
}

void TfrmMain::BeginPick(TImage& icon) {
    Screen().SetCursor(crPicker);
    FPicking = true;
    icon.SetVisible(false); // it looks picked up
    beforePick_ = SaveShownColor();
    pickKeys_.emplace([this](const MSG& msg) { return PickKeyDown(msg); });
}

// Nothing tells the program where the pointer goes outside its windows without a held button,
// so a timer polls it, and a still pointer costs no sample. (A low-level mouse hook would
// hold up every program's mouse while a sample runs here.)
void TfrmMain::StartKeyboardPick(std::unique_ptr<TScreenStill> still) {
    BeginPick(*imgDrag);
    keyboardPick_ = true;
    stillMissing_ = stillPicks_ && !still;
    still_ = std::move(still);
    lastPointer_ = {LONG_MIN, LONG_MIN};
    stillLooks_ = 0;
    FormMouseMove(); // the colour under the pointer at once
    tmrPick->SetInterval(kPickLookMs);
    tmrPick->SetEnabled(true);
}

void TfrmMain::tmrPickTimer() {
    const POINT before = lastPointer_;
    FormMouseMove();
    const bool moved = before.x != lastPointer_.x || before.y != lastPointer_.y;
    stillLooks_ = moved ? 0 : stillLooks_ + 1;
    // A pointer left still for a second is looked at less often: each look costs a round trip
    // to the window server under Wine. The first move after the rest waits a little longer.
    tmrPick->SetInterval(stillLooks_ < kPickLooksPerSecond ? kPickLookMs : kPickRestLookMs);
}

// The user went to another window: a pick without a held button ends with the colour it has.
void TfrmMain::FormDeactivate() {
    if (keyboardPick_) EndPick(false);
}

LRESULT TfrmMain::OnActivateChange(WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) == WA_INACTIVE) FormDeactivate();
    return TForm::WndProc(WM_ACTIVATE, wp, lp);
}

LRESULT TfrmMain::OnCaptureChanged(WPARAM wp, LPARAM lp) {
    const LRESULT result = TForm::WndProc(WM_CAPTURECHANGED, wp, lp);
    // Another window took the mouse during a pick: end it as a release would.
    if (FPicking && !endingPick_ && reinterpret_cast<HWND>(lp) != Handle()) EndPick(false);
    return result;
}

// Keys while a pick runs: the arrows move the pointer by one physical pixel (ten with Shift)
// and Esc cancels; Enter ends a pick without a held button. Other keys reach the focused
// control as always.
bool TfrmMain::PickKeyDown(const MSG& msg) {
    if (!FPicking) return false;
    // A click ends a pick without a held button keeping its colour, and does nothing else.
    if (keyboardPick_ && IsButtonPress(msg.message)) {
        EndPick(false, PickEnd::Kept);
        return true;
    }
    if (msg.message != WM_KEYDOWN) return false;
    if (const int size = AverageSizeKey(msg)) {
        SetAverage(size);
        return true;
    }
    const int step = GetKeyState(VK_SHIFT) < 0 ? 10 : 1;
    switch (msg.wParam) {
    case VK_LEFT: NudgePointer(-step, 0); return true;
    case VK_RIGHT: NudgePointer(step, 0); return true;
    case VK_UP: NudgePointer(0, -step); return true;
    case VK_DOWN: NudgePointer(0, step); return true;
    case VK_ESCAPE: CancelPick(); return true;
    case VK_RETURN:
        if (!keyboardPick_) return false;
        EndPick(false, PickEnd::Kept);
        return true;
    default: return false;
    }
}

void TfrmMain::NudgePointer(int dx, int dy) {
    static const PhysicalCursor cursor;
    cursor.MoveBy(dx, dy);
    // Sampled at once rather than on the move the system may or may not queue for it.
    FormMouseMove();
}

// Ends the pick and shows the colour from before the press again, spin boxes as they were.
// The release that follows finds no pick and changes nothing.
void TfrmMain::CancelPick() {
    EndPick(!keyboardPick_);
    RestoreShownColor(beforePick_);
}

void TfrmMain::FormMouseMove() {
    if (!FPicking) return;
    POINT p;
    GetCursorPos(&p);
    if (keyboardPick_ && p.x == lastPointer_.x && p.y == lastPointer_.y) return;
    lastPointer_ = p;
    COLORREF pixel = CLR_INVALID;
    if (still_) {
        if (average_ == 1) pixel = still_->Pixel(p.x, p.y);
        Grab(still_->Dc(), still_->Origin(), still_->Monitors(), p);
    } else {
        // The screen is read before the views change: the refresh only invalidates, so the
        // grab sees the same screen either way, and under Wine controls update several times
        // slower while a screen DC is held.
        WindowDC screen(nullptr);
        if (average_ == 1) pixel = GetPixel(screen.Get(), p.x, p.y);
        Grab(screen.Get(), {0, 0}, Screen().MonitorRects(), p);
    }
    // The square lies well inside the grab: its mean needs no more of the screen.
    if (average_ > 1) pixel = AverageFromGrab(p);
    // A pixel that cannot be read (off every monitor) leaves the colour as it was.
    if (pixel != CLR_INVALID) ShowCurrentColor(pixel);
    DrawZoom();
    // The position read above: asking again costs Wine a round trip to the X server.
    ShowPosition(p);
}

void TfrmMain::Grab(HDC source, POINT origin, const std::vector<RECT>& monitors, POINT p) {
    const int w = FZoomBuffer->Width(), h = FZoomBuffer->Height();
    FZoomBuffer->Fill(0);
    // Not shifted at screen edges: what lies outside every monitor stays black. Each monitor's
    // part is copied on its own, since some systems copy nothing when any of the source is
    // off the screen, and what a screen DC shows between monitors of unequal size is undefined.
    const GrabOrigin o = GrabOriginFor(p.x, p.y, w, h);
    const RECT grab{o.left, o.top, o.left + w, o.top + h};
    for (const RECT& monitor : monitors)
        if (RECT part; IntersectRect(&part, &grab, &monitor)) {
            const int pw = part.right - part.left, ph = part.bottom - part.top;
            StretchBlt(FZoomBuffer->Dc(), part.left - grab.left, part.top - grab.top, pw, ph,
                       source, part.left - origin.x, part.top - origin.y, pw, ph, SRCCOPY);
        }
}

void TfrmMain::FormMouseUp(TMouseButton button) {
    if (button != TMouseButton::Left) return;
    EndPick(true, PickEnd::Kept);
}

void TfrmMain::EndPick(bool releaseCapture, PickEnd end) {
    const bool picking = FPicking; // a release after Esc finds none
    if (releaseCapture) {
        endingPick_ = true;
        ReleaseCapture();
        endingPick_ = false;
    }
    Screen().SetCursor(crDefault);
    FPicking = false;
    keyboardPick_ = false;
    ReleaseStill();
    tmrPick->SetEnabled(false);
    pickKeys_.reset();
    imgDrag->SetVisible(true);
    imgDrag2->SetVisible(true);
    ShowStatus(false);
    if (picking && end == PickEnd::Kept) CopyTemplateText(false);
}

void TfrmMain::imgZoomMouseDown(int x, int y) {
    if (lastPointer_.x != LONG_MIN) {
        // The black beyond every monitor is a colour nowhere on the screen: it picks nothing.
        const int w = imgZoom->Width(), h = imgZoom->Height();
        const ZoomSource s = ZoomSourceRect(w, h, IndexToZoom(cboZoom->ItemIndex()));
        const GrabOrigin o = GrabOriginFor(lastPointer_.x, lastPointer_.y, w, h);
        const POINT at{o.left + s.left + x * s.width / w, o.top + s.top + y * s.height / h};
        if (std::ranges::none_of(Screen().MonitorRects(),
                                 [at](const RECT& m) { return PtInRect(&m, at); }))
            return;
    }
    // One magnified pixel, never the outline drawn over it.
    ShowCurrentColor((zoomUnmarked_ ? *zoomUnmarked_ : imgZoom->Bitmap()).Pixel(x, y));
}

void TfrmMain::cboZoomClick() {
    // The magnifier follows the list whether or not the choice can be stored.
    DrawZoom();
    StoreSetting([this] { WriteZoomSetting(IndexToZoom(cboZoom->ItemIndex())); });
}

void TfrmMain::DrawZoom() {
    TBitmap& canvas = imgZoom->Bitmap();
    const int w = imgZoom->Width(), h = imgZoom->Height();
    canvas.Fill(0);
    const ZoomSource s = ZoomSourceRect(w, h, IndexToZoom(cboZoom->ItemIndex()));
    StretchBlt(canvas.Dc(), 0, 0, w, h, FZoomBuffer->Dc(), s.left, s.top, s.width, s.height,
               SRCCOPY);
    OutlineAverage();
    imgZoom->Invalidate();
}

void TfrmMain::ShowStatus(bool tracking) {
    if (!tracking) {
        StatusBar1->SetSimpleText("To pick color, please drag \"+\" icon.");
        return;
    }
    POINT p;
    GetCursorPos(&p);
    ShowPosition(p);
}

// The position first, as always; then the averaged square's size and what the pick reads.
void TfrmMain::ShowPosition(POINT p) {
    char text[48];
    std::snprintf(text, sizeof text, "X:%ld Y:%ld", long(p.x), long(p.y));
    std::string shown = text;
    if (average_ > 1) shown += " " + std::to_string(average_) + "x" + std::to_string(average_);
    if (still_) shown += " (still)";
    if (keyboardPick_ && stillMissing_) shown += " (live: no still of the screen)";
    StatusBar1->SetSimpleText(shown);
}

} // namespace vtl
