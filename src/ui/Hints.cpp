#include "ui/Hints.h"

#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Dpi.h"
#include "ui/Handles.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace vtl {

namespace {

// The longest time a tip can stay up on its own; a pause of -1 ("until the pointer leaves")
// maps to it, since the tooltip control reads -1 as "back to the default", and the tip is
// kept up past it (KeepUp).
constexpr int kLongestPause = 32767;

// How often a tip that is to stay is kept up: well before its longest delay runs out.
constexpr UINT kKeepUpMs = kLongestPause / 2;

bool WantsTool(const TControl* c) {
    return !c->IsWindowed() && c->ShowHint && !c->Hint.empty() && c->Visible();
}

// The version-5 size: accepted by every comctl32, with or without the version-6 manifest.
TTTOOLINFOA ToolInfo(HWND parent, const TControl* child) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(child);
    return info;
}

// The font tooltips use (the status font) at a DPI, scaled from the system's; one per DPI.
HFONT TipFont(int dpi) {
    static std::map<int, FontHandle> fonts;
    FontHandle& font = fonts[dpi];
    if (font) return font.Get();
    // The size before Vista's padded border: every version accepts it.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return nullptr;
    LOGFONTA& tip = metrics.lfStatusFont;
    tip.lfHeight = MulDiv(tip.lfHeight, dpi, SystemDpi());
    font.Reset(CreateFontIndirectA(&tip));
    return font.Get();
}

} // namespace

THintWindow::THintWindow(HWND parent) : parent_(parent), dpi_(SystemDpi()) {
    // Tips are a nicety: without a tooltip control the window simply shows none.
    handle_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                              Application().Instance(), nullptr);
    // The timer's id is this object: no id of the tooltip control's own timers.
    if (handle_) SetTimer(handle_, reinterpret_cast<UINT_PTR>(this), kKeepUpMs, &KeepUpTimer);
}

THintWindow::~THintWindow() {
    // The tooltip belongs to the top-level window and may have gone with it already.
    if (handle_ && IsWindow(handle_)) {
        KillTimer(handle_, reinterpret_cast<UINT_PTR>(this));
        DestroyWindow(handle_);
    }
}

void THintWindow::FollowDpi(int dpi) {
    if (!handle_ || dpi == dpi_) return;
    if (const HFONT font = TipFont(dpi)) {
        dpi_ = dpi;
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

bool THintWindow::Wanted(const std::vector<TControl*>& children) {
    return std::any_of(children.begin(), children.end(), WantsTool);
}

void THintWindow::Relay(const std::vector<TControl*>& children, UINT msg, WPARAM wp, LPARAM lp) {
    if (!handle_) return;
    if (msg == WM_MOUSEMOVE) Update(children);
    MSG m{};
    m.hwnd = parent_;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = DWORD(GetMessageTime());
    const DWORD pos = GetMessagePos();
    m.pt = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    SendMessageA(handle_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void THintWindow::Update(const std::vector<TControl*>& children) {
    if (!handle_) return;
    ApplyHidePause();
    for (auto it = tools_.begin(); it != tools_.end();) {
        const bool wanted =
            std::find(children.begin(), children.end(), it->first) != children.end() &&
            WantsTool(it->first);
        if (wanted) {
            ++it;
            continue;
        }
        const TControl* gone = it->first;
        ++it;
        DeleteTool(gone);
    }
    for (const TControl* c : children) {
        if (!WantsTool(c)) continue;
        const Tool wanted{c->BoundsRect(), c->Hint};
        auto it = tools_.find(c);
        if (it == tools_.end()) {
            AddTool(c, wanted);
            continue;
        }
        if (!EqualRect(&it->second.rect, &wanted.rect)) {
            TTTOOLINFOA info = ToolInfo(parent_, c);
            info.rect = wanted.rect;
            SendMessageA(handle_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
            it->second.rect = wanted.rect;
        }
        if (it->second.text != wanted.text) {
            TTTOOLINFOA info = ToolInfo(parent_, c);
            info.lpszText = const_cast<char*>(wanted.text.c_str());
            SendMessageA(handle_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
            it->second.text = wanted.text;
        }
    }
}

void THintWindow::Forget(const TControl* child) {
    if (tools_.count(child)) DeleteTool(child);
}

void THintWindow::AddTool(const TControl* child, const Tool& tool) {
    TTTOOLINFOA info = ToolInfo(parent_, child);
    info.rect = tool.rect;
    info.lpszText = const_cast<char*>(tool.text.c_str()); // copied by the control
    if (SendMessageA(handle_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)))
        tools_[child] = tool;
}

void THintWindow::DeleteTool(const TControl* child) {
    TTTOOLINFOA info = ToolInfo(parent_, child);
    if (handle_) SendMessageA(handle_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(child);
}

void CALLBACK THintWindow::KeepUpTimer(HWND, UINT, UINT_PTR id, DWORD) {
    reinterpret_cast<THintWindow*>(id)->KeepUp();
}

void THintWindow::KeepUp() {
    // The tooltip control hears that the pointer is still where it is, which starts its
    // delay again; a pointer that has left the tool hides the tip as it should.
    if (Application().HintHidePause() >= 0 || !IsWindowVisible(handle_)) return;
    POINT p;
    if (!GetCursorPos(&p)) return;
    MSG m{};
    m.time = GetTickCount();
    m.pt = p;
    ScreenToClient(parent_, &p);
    m.hwnd = parent_;
    m.message = WM_MOUSEMOVE;
    m.lParam = MAKELPARAM(p.x, p.y);
    SendMessageA(handle_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void THintWindow::ApplyHidePause() {
    const int pause = Application().HintHidePause();
    if (hidePauseSet_ && pause == hidePause_) return;
    const int ms = pause < 0 ? kLongestPause : std::min(pause, kLongestPause);
    SendMessageA(handle_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(ms, 0));
    hidePause_ = pause;
    hidePauseSet_ = true;
}

} // namespace vtl
