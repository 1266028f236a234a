#include "ui/SpinEdit.h"

#include "color/Text.h"
#include "ui/Error.h"

#include <algorithm>

namespace vtl {

namespace {
constexpr UINT_PTR kRepeatTimer = 0x5650;
}

TSpinEdit::TSpinEdit(TComponent* owner, TWinControl* parent, int minValue, int maxValue)
    : TEdit(owner, parent, false), min_(minValue), max_(maxValue) {
    updown_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | (visible_ ? WS_VISIBLE : 0), 0, 0, 0,
                              0, parent->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    CheckWin32(updown_ != nullptr, "CreateWindowEx");
    SendMessageA(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageA(updown_, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    AttachWindow(updown_);
}

void TSpinEdit::SetBounds(int left, int top, int width, int height) {
    TEdit::SetBounds(left, top, width, height);
    // The arrows take the right end of the box's width; the number the rest.
    const int arrows = Scale(kArrowWidth);
    SetWindowPos(Handle(), nullptr, left, top, width - arrows, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(updown_, nullptr, left + width - arrows, top, arrows, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int TSpinEdit::Value() const {
    int v = 0;
    return TryStrToInt(ShownText(), v) ? v : min_;
}

void TSpinEdit::SetValue(int value) {
    SetShownText(std::to_string(std::clamp(value, min_, max_)));
}

void TSpinEdit::Step(int delta) {
    const int current = Value();
    // A step beyond the range leaves the value alone.
    if ((delta > 0 && current >= max_) || (delta < 0 && current <= min_)) return;
    SetValue(current + delta);
}

bool TSpinEdit::Notify(NMHDR& hdr, LRESULT& result) {
    if (hdr.hwndFrom != updown_ || hdr.code != UDN_DELTAPOS) return false;
    // The up-down's own stepping and timing are refused: ours give the exact repeat times.
    result = 1;
    return true;
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CHAR:
        if (wp >= 32 || wp == VK_BACK || wp == VK_RETURN || wp == '\n') {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_PASTE:
    case WM_CUT: return 0;
    case WM_KEYDOWN:
        if (wp == VK_UP || wp == VK_DOWN) {
            Step(wp == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_GETDLGCODE: return DefaultHandler(msg, wp, lp) | DLGC_WANTARROWS;
    }
    return TEdit::WndProc(msg, wp, lp);
}

int TSpinEdit::ArrowAt(POINT p) const {
    RECT r;
    GetClientRect(updown_, &r);
    if (!PtInRect(&r, p)) return 0;
    return p.y < (r.bottom - r.top) / 2 ? 1 : -1;
}

LRESULT TSpinEdit::AttachedWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnArrowDown(wnd, msg, wp, lp);
    case WM_TIMER:
        if (wp == kRepeatTimer) return OnRepeatTimer(wnd);
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: StopRepeat(wnd); break;
    }
    return TWinControl::AttachedWndProc(wnd, msg, wp, lp);
}

LRESULT TSpinEdit::OnArrowDown(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    // The control draws the pressed arrow and captures the mouse; the focus stays put.
    HWND focus = GetFocus();
    LRESULT r = TWinControl::AttachedWndProc(wnd, msg, wp, lp);
    if (GetFocus() != focus && focus) ::SetFocus(focus);
    repeatDirection_ = ArrowAt({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    if (repeatDirection_ != 0) {
        SetTimer(wnd, kRepeatTimer, kRepeatDelayMs, nullptr);
        Step(repeatDirection_);
    }
    return r;
}

LRESULT TSpinEdit::OnRepeatTimer(HWND wnd) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(wnd, &p);
    // Repeats only while the pointer stays on the pressed arrow.
    if (repeatDirection_ != 0 && ArrowAt(p) == repeatDirection_) Step(repeatDirection_);
    SetTimer(wnd, kRepeatTimer, kRepeatIntervalMs, nullptr);
    return 0;
}

void TSpinEdit::StopRepeat(HWND wnd) {
    if (repeatDirection_ == 0) return;
    KillTimer(wnd, kRepeatTimer);
    repeatDirection_ = 0;
}

} // namespace vtl
