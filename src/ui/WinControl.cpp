#include "ui/WinControl.h"

#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Fonts.h"
#include "ui/Handles.h"
#include "ui/Hints.h"
#include "ui/Screen.h"
#include "ui/WindowBinding.h"

#include <oleacc.h>

#include <algorithm>
#include <set>
#include <unordered_map>

namespace vtl {

namespace {

// The common controls we subclass: which object each belongs to and the window procedure it
// had before ours. They are created by their own classes, so nothing can be bound at their
// WM_NCCREATE; kept here rather than in window properties or comctl32 subclasses, which under
// Wine read a property from the server for every message.
struct WindowEntry {
    TWinControl* object;
    WNDPROC previous;
};
std::unordered_map<HWND, WindowEntry>& Windows() {
    static std::unordered_map<HWND, WindowEntry> windows;
    return windows;
}
WindowEntry* EntryOf(HWND wnd) {
    auto& windows = Windows();
    const auto it = windows.find(wnd);
    return it == windows.end() ? nullptr : &it->second;
}
LRESULT Forward(const WindowEntry* entry, HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    return entry && entry->previous ? CallWindowProcA(entry->previous, wnd, msg, wp, lp)
                                    : DefWindowProcA(wnd, msg, wp, lp);
}
constexpr const char* kOwnClass = "VtlWindow";

LRESULT CALLBACK OwnClassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

ATOM ownClassAtom = 0;

void RegisterOwnClass(HINSTANCE instance) {
    if (ownClassAtom) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &OwnClassProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kOwnClass;
    ownClassAtom = RegisterClassExA(&wc);
    CheckWin32(ownClassAtom != 0, "RegisterClassEx");
}

bool IsOwnClass(HWND wnd) {
    return ownClassAtom && GetClassLongA(wnd, GCW_ATOM) == ownClassAtom;
}

TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return TMouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return TMouseButton::Middle;
    default: return TMouseButton::Left;
    }
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

} // namespace

// Lets the window procedures reach the private dispatcher.
struct WinControlAccess {
    static LRESULT Dispatch(TWinControl* self, HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE && lp) self->handle_ = wnd;
        return self->HandleMessage(wnd, msg, wp, lp);
    }
};

namespace {
LRESULT CALLBACK OwnClassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (TWinControl* self = BoundWindowObject<TWinControl>(wnd, msg, lp))
        return WinControlAccess::Dispatch(self, wnd, msg, wp, lp);
    return DefWindowProcA(wnd, msg, wp, lp);
}
} // namespace

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {}

TWinControl::~TWinControl() {
    for (TControl* c : controls_)
        c->Orphan();
    controls_.clear();
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    if (const WindowEntry* entry = EntryOf(wnd)) return entry->object;
    return IsOwnClass(wnd) ? BoundWindowObject<TWinControl>(wnd, 0, 0) : nullptr;
}

void TWinControl::CreateHandle(TCreateParams params) {
    HWND parentWnd = parent_ ? parent_->Handle() : params.parentOrOwner;
    DWORD style = params.style | (visible_ ? WS_VISIBLE : 0);
    HINSTANCE instance = Application().Instance();
    if (!params.className) {
        RegisterOwnClass(instance);
        ownClass_ = true;
    }
    HWND wnd = CreateWindowExA(params.exStyle, params.className ? params.className : kOwnClass,
                               params.caption.c_str(), style, left_, top_, width_, height_,
                               parentWnd, nullptr, instance, ownClass_ ? this : nullptr);
    CheckWin32(wnd != nullptr, "CreateWindowEx");
    handle_ = wnd;
    if (!ownClass_) Hook(wnd);
    SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

void TWinControl::Hook(HWND wnd) {
    Windows()[wnd] = {this, nullptr};
    Windows()[wnd].previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
}

void TWinControl::AttachWindow(HWND wnd) {
    Hook(wnd);
    attached_.push_back(wnd);
}

void TWinControl::Unhook(HWND wnd) {
    // The window keeps our procedure (others may have chained onto it since); without an
    // object it only forwards, and the entry goes with the window's last message.
    if (WindowEntry* entry = EntryOf(wnd))
        entry->object = nullptr;
    else if (IsOwnClass(wnd))
        UnbindWindow(wnd);
}

void TWinControl::DestroyHandle() {
    for (HWND wnd : attached_)
        Unhook(wnd);
    attached_.clear();
    hints_.reset();
    if (!handle_) return;
    HWND wnd = handle_;
    // Detach first: the object may be half destroyed, so its messages go to the defaults.
    // The window procedure stays ours and forwards: swapping it back would cut off
    // subclasses chained onto it before their WM_NCDESTROY.
    Unhook(wnd);
    handle_ = nullptr;
    DestroyWindow(wnd);
}

LRESULT CALLBACK TWinControl::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    WindowEntry* entry = EntryOf(wnd);
    if (entry && entry->object) return WinControlAccess::Dispatch(entry->object, wnd, msg, wp, lp);
    const LRESULT r = Forward(entry, wnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) Windows().erase(wnd);
    return r;
}

LRESULT TWinControl::HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) {
        // The window is going away without the object (a parent was destroyed).
        const LRESULT r = Forward(EntryOf(wnd), wnd, msg, wp, lp);
        Windows().erase(wnd);
        if (wnd == handle_) {
            handle_ = nullptr;
            hints_.reset();
        }
        attached_.erase(std::remove(attached_.begin(), attached_.end(), wnd), attached_.end());
        return r;
    }
    try {
        if (wnd != handle_) return AttachedWndProc(wnd, msg, wp, lp);
        return Dispatch(msg, wp, lp);
    } catch (...) {
        Application().HandleCurrentException();
        return 0;
    }
}

LRESULT TWinControl::AttachedWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    return Forward(EntryOf(wnd), wnd, msg, wp, lp);
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    return Forward(EntryOf(handle_), handle_, msg, wp, lp);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: return OnCommand(wp, lp);
    case WM_NOTIFY: return OnNotify(wp, lp);
    case WM_DRAWITEM: return OnDrawItem(wp, lp);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: return OnCtlColor(msg, wp, lp);
    case WM_ERASEBKGND: return ownClass_ ? 1 : DefaultHandler(msg, wp, lp);
    case WM_PAINT: return OnPaint(wp, lp);
    case WM_PRINTCLIENT: return OnPrintClient(wp, lp);
    case WM_SETCURSOR: return OnSetCursor(wp, lp);
    case WM_CAPTURECHANGED: mouseControl_ = nullptr; break;
    case WM_GETOBJECT: return OnGetObject(wp, lp);
    default:
        if (IsMouseMessage(msg)) return OnMouse(msg, wp, lp);
        if (msg == AccessiblePressMessage()) {
            PressAccessiblePart(int(wp));
            return 0;
        }
        break;
    }
    return DefaultHandler(msg, wp, lp);
}

LRESULT TWinControl::OnGetObject(WPARAM wp, LPARAM lp) {
    // Only a window with something to add loads the accessibility library.
    if (!AccessibleName.empty() || AccessiblePartCount() > 0)
        if (const LRESULT r = AnswerGetObject(handle_, wp, lp)) return r;
    return DefaultHandler(WM_GETOBJECT, wp, lp);
}

std::vector<TGraphicControl*> TWinControl::NamedParts() const {
    std::vector<TGraphicControl*> parts;
    for (TControl* c : controls_)
        if (!c->IsWindowed() && c->Visible() && !c->AccessibleName.empty())
            parts.push_back(static_cast<TGraphicControl*>(c));
    // In reading order, whatever order they were made in.
    std::ranges::stable_sort(parts, {},
                             [](const TControl* c) { return std::pair(c->Top(), c->Left()); });
    return parts;
}

int TWinControl::AccessiblePartCount() const {
    return int(NamedParts().size());
}

TAccessiblePart TWinControl::AccessiblePart(int index) const {
    const auto parts = NamedParts();
    if (index < 0 || index >= int(parts.size())) return {};
    const TGraphicControl& c = *parts[size_t(index)];
    const POINT at = c.ClientToScreen({0, 0});
    TAccessiblePart part;
    part.name = c.AccessibleName;
    part.screen = {at.x, at.y, at.x + c.Width(), at.y + c.Height()};
    if (!Showing()) part.state = STATE_SYSTEM_INVISIBLE;
    if (c.OnAccessiblePress)
        part.action = "Press";
    else
        part.role = ROLE_SYSTEM_GRAPHIC;
    return part;
}

int TWinControl::AccessiblePartAt(POINT screen) const {
    for (int i = AccessiblePartCount() - 1; i >= 0; --i) {
        const RECT r = AccessiblePart(i).screen;
        if (PtInRect(&r, screen)) return i;
    }
    return -1;
}

void TWinControl::PressAccessiblePart(int index) {
    const auto parts = NamedParts();
    if (index >= 0 && index < int(parts.size()) && parts[size_t(index)]->OnAccessiblePress)
        parts[size_t(index)]->OnAccessiblePress(*parts[size_t(index)]);
}

TWinControl* TWinControl::ChildFromHandle(HWND wnd) const {
    TWinControl* child = FromHandle(wnd);
    return child != this ? child : nullptr;
}

LRESULT TWinControl::OnCommand(WPARAM wp, LPARAM lp) {
    if (TWinControl* child = ChildFromHandle(reinterpret_cast<HWND>(lp)))
        if (child->CommandNotify(HIWORD(wp))) return 0;
    return DefaultHandler(WM_COMMAND, wp, lp);
}

LRESULT TWinControl::OnNotify(WPARAM wp, LPARAM lp) {
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    LRESULT result = 0;
    if (TWinControl* child = ChildFromHandle(hdr->hwndFrom))
        if (child->Notify(*hdr, result)) return result;
    return DefaultHandler(WM_NOTIFY, wp, lp);
}

LRESULT TWinControl::OnDrawItem(WPARAM wp, LPARAM lp) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (TWinControl* child = ChildFromHandle(item.hwndItem))
        if (child->DrawItem(item)) return TRUE;
    return DefaultHandler(WM_DRAWITEM, wp, lp);
}

LRESULT TWinControl::OnCtlColor(UINT msg, WPARAM wp, LPARAM lp) {
    if (TWinControl* child = ChildFromHandle(reinterpret_cast<HWND>(lp)))
        if (HBRUSH b = child->CtlColor(reinterpret_cast<HDC>(wp)))
            return reinterpret_cast<LRESULT>(b);
    if (ownClass_ && (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN)) {
        // Check boxes and static text take the colours of the panel they sit on.
        SetBkColor(reinterpret_cast<HDC>(wp), Color());
        SetTextColor(reinterpret_cast<HDC>(wp), FontColor());
        return reinterpret_cast<LRESULT>(ColorBrush());
    }
    return DefaultHandler(msg, wp, lp);
}

LRESULT TWinControl::OnPaint(WPARAM wp, LPARAM lp) {
    if (!ownClass_) return DefaultHandler(WM_PAINT, wp, lp);
    PaintScope ps(handle_);
    PaintWindow(ps.Dc(), ps.Area());
    return 0;
}

LRESULT TWinControl::OnPrintClient(WPARAM wp, LPARAM lp) {
    if (!ownClass_) return DefaultHandler(WM_PRINTCLIENT, wp, lp);
    RECT r;
    GetClientRect(handle_, &r);
    PaintWindow(reinterpret_cast<HDC>(wp), r);
    return 0;
}

LRESULT TWinControl::OnSetCursor(WPARAM wp, LPARAM lp) {
    if (Screen().Cursor() != crDefault) {
        ::SetCursor(Screen().CursorHandle(Screen().Cursor()));
        return TRUE;
    }
    if (reinterpret_cast<HWND>(wp) == handle_ && LOWORD(lp) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(handle_, &p);
        if (SetCursorFor(p)) return TRUE;
    }
    return DefaultHandler(WM_SETCURSOR, wp, lp);
}

LRESULT TWinControl::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
    if (!ownClass_) {
        // A common control handles the mouse itself; our graphic children hear of it after.
        const LRESULT r = DefaultHandler(msg, wp, lp);
        RouteMouse(msg, wp, lp);
        return r;
    }
    RelayHint(msg, wp, lp);
    return RouteMouse(msg, wp, lp) ? 0 : DefaultHandler(msg, wp, lp);
}

bool TWinControl::RouteMouse(UINT msg, WPARAM wp, LPARAM lp) {
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const bool twice =
        msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    const TShiftState shift = GET_KEYSTATE_WPARAM(wp) | (twice ? ssDouble : 0);
    TControl* target = this;
    if (mouseControl_)
        target = mouseControl_;
    else if (ownClass_ && GetCapture() != handle_)
        if (TGraphicControl* g = GraphicControlAt(p)) target = g;
    const int x = target == this ? p.x : p.x - target->Left();
    const int y = target == this ? p.y : p.y - target->Top();
    const TMouseButton button = ButtonOf(msg);
    switch (msg) {
    case WM_MOUSEMOVE: target->MouseMove(shift, x, y); return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (target != this) {
            // A graphic control keeps the mouse from press to release, wherever it goes.
            mouseControl_ = static_cast<TGraphicControl*>(target);
            SetCapture(handle_);
        }
        target->MouseDown(button, shift, x, y);
        // A common control raises its double click from its own notification, never here.
        if (msg == WM_LBUTTONDBLCLK && ownClass_) target->DblClick();
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool graphic = target != this;
        target->MouseUp(button, shift, x, y);
        if (graphic) {
            const bool inside = x >= 0 && y >= 0 && x < target->Width() && y < target->Height();
            if (button == TMouseButton::Left && inside && target->OnClick) target->OnClick(*target);
            if (!(shift & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && mouseControl_) {
                mouseControl_ = nullptr;
                if (GetCapture() == handle_) ReleaseCapture();
            }
        }
        return true;
    }
    default: return false;
    }
}

void TWinControl::RelayHint(UINT msg, WPARAM wp, LPARAM lp) {
    if (!hints_) {
        if (msg != WM_MOUSEMOVE || !THintWindow::Wanted(controls_)) return;
        hints_ = std::make_unique<THintWindow>(handle_);
    }
    hints_->FollowDpi(Dpi());
    hints_->Relay(controls_, msg, wp, lp);
}

bool TWinControl::SetCursorFor(POINT client) {
    int cursor = Cursor;
    if (TGraphicControl* g = GraphicControlAt(client); g && g->Cursor != crDefault)
        cursor = g->Cursor;
    if (cursor == crDefault) return false;
    if (HCURSOR h = Screen().CursorHandle(cursor)) {
        ::SetCursor(h);
        return true;
    }
    return false;
}

TGraphicControl* TWinControl::GraphicControlAt(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible()) continue;
        RECT r = c->BoundsRect();
        if (!PtInRect(&r, p)) continue;
        auto* g = static_cast<TGraphicControl*>(c);
        if (g->HitTest(p.x - r.left, p.y - r.top)) return g;
    }
    return nullptr;
}

void TWinControl::PaintWindow(HDC dc, const RECT& clip) {
    RECT client;
    GetClientRect(handle_, &client);
    PaintBackground(dc, client);
    PaintGraphicChildren(dc, clip);
}

void TWinControl::PaintBackground(HDC dc, const RECT& client) {
    ::FillRect(dc, &client, ColorBrush());
}

void TWinControl::PaintGraphicChildren(HDC dc, const RECT& clip) {
    for (TControl* c : controls_) {
        if (c->IsWindowed() || !c->Visible()) continue;
        RECT r = c->BoundsRect(), overlap;
        if (!IntersectRect(&overlap, &r, &clip)) continue;
        DCStateScope state(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        static_cast<TGraphicControl*>(c)->Paint(dc);
    }
}

void TWinControl::Insert(TControl* child) {
    controls_.push_back(child);
}

void TWinControl::Remove(TControl* child) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), child), controls_.end());
    if (mouseControl_ == child) mouseControl_ = nullptr;
    if (hints_) hints_->Forget(child);
    if (handle_) {
        RECT r = child->BoundsRect();
        InvalidateRect(handle_, &r, FALSE);
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
}

void TWinControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Repaint() {
    if (!handle_) return;
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
    // Windows attached to the control (a spin box's arrows) are part of it on the screen.
    for (HWND wnd : attached_) {
        InvalidateRect(wnd, nullptr, TRUE);
        UpdateWindow(wnd);
    }
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (handle_)
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::string TWinControl::Text() const {
    if (!handle_) return {};
    const int len = GetWindowTextLengthA(handle_);
    std::string s(size_t(len) + 1, '\0');
    const int got = GetWindowTextA(handle_, s.data(), len + 1);
    s.resize(size_t(std::max(0, got)));
    return s;
}

void TWinControl::SetText(const std::string& text) {
    if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TWinControl::SetColor(COLORREF color) {
    if (color_ == color) return;
    color_ = color;
    Invalidate();
}

void TWinControl::SetFontColor(COLORREF color) {
    if (fontColor_ == color) return;
    fontColor_ = color;
    Invalidate();
}

HBRUSH TWinControl::ColorBrush() {
    return brush_.Get(Color());
}

HFONT TWinControl::Font() const {
    return font_ ? font_ : DefaultFont(Dpi());
}

void TWinControl::SetFont(HFONT font) {
    font_ = font;
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

void TWinControl::SetControlId(int id) {
    SetWindowLongPtrA(Handle(), GWLP_ID, id);
}

void TWinControl::RefreshFont() {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

void TWinControl::SetFocus() {
    if (handle_) ::SetFocus(handle_);
}

bool TWinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

int TWinControl::ClientWidth() const {
    RECT r{};
    if (handle_) GetClientRect(handle_, &r);
    return r.right;
}

int TWinControl::ClientHeight() const {
    RECT r{};
    if (handle_) GetClientRect(handle_, &r);
    return r.bottom;
}

} // namespace vtl
