#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/CallbackList.h"
#include "ui/ModalScope.h"
#include "ui/StdCtrls.h"

#include <utility>
#include <vector>

namespace vtl {

namespace {
struct Observer {
    TFormMessageObserver::Before before;
    TFormMessageObserver::After after;
};
TCallbackList<Observer>& Observers() {
    static TCallbackList<Observer> observers;
    return observers;
}
} // namespace

TFormMessageObserver::TFormMessageObserver(Before before, After after)
    : id_(Observers().Add({std::move(before), std::move(after)})) {}

TFormMessageObserver::~TFormMessageObserver() {
    Observers().Remove(id_);
}

TForm::TForm(TComponent* owner) : TWinControl(owner, nullptr) {
    visible_ = false;
    TCreateParams params;
    params.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    params.parentOrOwner = Application().Handle();
    CreateHandle(params);
    TakeWindowDpi();
    Application().RegisterForm(this);
}

TForm::TForm(TComponent* owner, DialogFrame frame) : TWinControl(owner, nullptr) {
    visible_ = false;
    TCreateParams params;
    params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_DLGMODALFRAME;
    params.parentOrOwner = frame.ownerForm ? frame.ownerForm->Handle() : Application().Handle();
    // Made at its owner's centre, so that it has the DPI of its owner's monitor from the start.
    if (RECT r; frame.ownerForm && GetWindowRect(frame.ownerForm->Handle(), &r)) {
        left_ = (r.left + r.right) / 2;
        top_ = (r.top + r.bottom) / 2;
    }
    CreateHandle(params);
    TakeWindowDpi();
    Application().RegisterForm(this);
}

void TForm::TakeWindowDpi() {
    dpi_ = WindowDpi(Handle());
    if (dpi_ != kBaseDpi) RefreshFont();
}

void TForm::CenterOver(HWND wnd) {
    RECT r;
    if (!GetWindowRect(wnd, &r)) return;
    // A move onto a monitor of another scale resizes the form at the place the system
    // suggests (WM_DPICHANGED): it is centred again at its new size.
    for (int tries = 0; tries < 2; ++tries) {
        const int dpi = dpi_;
        SetPosition(r.left + (r.right - r.left - Width()) / 2,
                    r.top + (r.bottom - r.top - Height()) / 2);
        if (dpi_ == dpi) break;
    }
}

TForm::~TForm() {
    Application().RemoveForm(this);
    DestroyHandle();
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(*this);
}

void TForm::DestroyWindowNow() {
    if (!destroyed_) {
        destroyed_ = true;
        if (OnDestroy) OnDestroy(*this);
    }
    DestroyHandle();
}

void TForm::SetClientSize(int width, int height) {
    const SIZE size = WindowSizeForClient(width, height, DWORD(GetWindowLongA(Handle(), GWL_STYLE)),
                                          DWORD(GetWindowLongA(Handle(), GWL_EXSTYLE)), dpi_);
    SetBounds(left_, top_, size.cx, size.cy);
    // The frame the window really has decides: a system that draws it at another DPI than the
    // window's (Wine draws every frame at the system's) gets the difference made up.
    if (ClientWidth() != width || ClientHeight() != height)
        SetBounds(left_, top_, width_ + width - ClientWidth(), height_ + height - ClientHeight());
}

void TForm::SetScaledClientSize(int width, int height) {
    ClientSizeAt = [width, height](int dpi) {
        return SIZE{ScaleBy(width, dpi), ScaleBy(height, dpi)};
    };
    SetClientSize(ScaleBy(width, dpi_), ScaleBy(height, dpi_));
}

void TForm::SetIcon(HICON big, HICON small) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void TForm::Show() {
    if (OnShow) OnShow(*this);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (CenterOnFirstShow)
            SetPosition((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
                        (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2);
    }
    visible_ = true;
    // The zero-size application window carries the taskbar button once the main form shows.
    if (Application().MainForm() == this) Application().Show();
    ShowWindow(Handle(), SW_SHOW);
}

void TForm::Hide() {
    visible_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

void TForm::SetTopmost(bool on) {
    if (Application().MainForm() == this) Application().SetTopmost(on);
    SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::Close() {
    if (modal_) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
    } else if (Application().MainForm() == this) {
        Application().Terminate();
    } else {
        Hide();
    }
}

int TForm::ShowModal() {
    TModalScope modal(Handle());
    ModalResult = mrNone;
    modal_ = true;
    Show();
    SetForegroundWindow(Handle());
    try {
        Application().ModalLoop([this] { return ModalResult != mrNone; });
    } catch (...) {
        modal_ = false;
        throw;
    }
    modal_ = false;
    // Enabled before the form hides: the system then hands activation back to its owner.
    modal.EnableWindows();
    Hide();
    return ModalResult;
}

void TForm::SetDefaultButton(TButton* button) {
    if (defaultButton_) defaultButton_->SetDefault(false);
    defaultButton_ = button;
    if (defaultButton_) defaultButton_->SetDefault(true);
}

void TForm::RememberFocus() {
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) focus_ = focus;
}

void TForm::RestoreFocus() {
    // The control that had the keys when the form went inactive has them again; the first
    // time, the chosen control.
    if (IsChild(Handle(), focus_) && CanActivate(focus_))
        ::SetFocus(focus_);
    else if (ActiveControl)
        ActiveControl->SetFocus();
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE: Close(); return 0;
    case WM_COMMAND: // Esc in a form with dialog keys, which has no Cancel button to press
        if (DialogKeys && LOWORD(wp) == IDCANCEL && !lp) return Close(), 0;
        break;
    case WM_SYSCOMMAND: return OnSysCommand(wp, lp);
    case DM_GETDEFID: return OnGetDefId();
    case WM_ACTIVATE: return OnActivateMessage(wp, lp);
    case kWmGetDpiScaledSize: return OnGetDpiScaledSize(wp, lp);
    case kWmDpiChanged: return OnDpiChangedMessage(wp, lp);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED: return OnSystemColors(msg, wp, lp);
    }
    return TWinControl::WndProc(msg, wp, lp);
}

LRESULT TForm::OnSysCommand(WPARAM wp, LPARAM lp) {
    if ((wp & 0xFFF0) == SC_MINIMIZE && Application().MainForm() == this) {
        // As with a system frame: the whole program minimises with its owner window.
        Application().Minimize();
        return 0;
    }
    return TWinControl::WndProc(WM_SYSCOMMAND, wp, lp);
}

LRESULT TForm::OnGetDefId() {
    // Enter anywhere in a form with dialog keys presses its default button.
    if (defaultButton_ && defaultButton_->HandleAllocated())
        return MAKELRESULT(GetDlgCtrlID(defaultButton_->Handle()), DC_HASDEFID);
    return 0;
}

LRESULT TForm::OnActivateMessage(WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) == WA_INACTIVE) {
        RememberFocus();
        return TWinControl::WndProc(WM_ACTIVATE, wp, lp);
    }
    // Only the first showing and focus coming back from another of our own forms count;
    // system dialogs and other programs do not.
    const HWND previous = reinterpret_cast<HWND>(lp);
    // Activation handed on by the application window counts as coming from where the
    // application window had it (the About box, owned by it).
    const bool fromOurForm =
        (previous && previous != Handle() && Application().IsFormWindow(previous)) ||
        (previous == Application().Handle() && Application().ActivatedFromForm());
    const LRESULT r = TWinControl::WndProc(WM_ACTIVATE, wp, lp);
    // The default processing focuses the form itself; a control of it wins.
    if (!HIWORD(wp)) RestoreFocus();
    if (!activatedOnce_ || fromOurForm) {
        activatedOnce_ = true;
        activatePending_ = true;
        // Inside a closing modal window's teardown, input that the handler lets run must not
        // open another modal window there.
        if (!Application().ModalOpen()) RaisePendingActivate();
    }
    return r;
}

// The window's size at the DPI it is about to move to: the system then suggests the rectangle
// WM_DPICHANGED brings from it, instead of scaling the present size.
LRESULT TForm::OnGetDpiScaledSize(WPARAM wp, LPARAM lp) {
    if (!ClientSizeAt) return TWinControl::WndProc(kWmGetDpiScaledSize, wp, lp);
    const int dpi = int(wp);
    const SIZE client = ClientSizeAt(dpi);
    *reinterpret_cast<SIZE*>(lp) =
        WindowSizeForClient(client.cx, client.cy, DWORD(GetWindowLongA(Handle(), GWL_STYLE)),
                            DWORD(GetWindowLongA(Handle(), GWL_EXSTYLE)), dpi);
    return TRUE;
}

LRESULT TForm::OnDpiChangedMessage(WPARAM wp, LPARAM lp) {
    const int dpi = LOWORD(wp);
    const RECT suggested = *reinterpret_cast<const RECT*>(lp);
    dpi_ = dpi > 0 ? dpi : kBaseDpi;
    RefreshFont();
    // The suggested rectangle in one move (it has the size WM_GETDPISCALEDSIZE answered): a
    // move and then a resize would show the window at the new place with the old size.
    SetBounds(suggested.left, suggested.top, suggested.right - suggested.left,
              suggested.bottom - suggested.top);
    // Where the frame is not drawn at the window's DPI (Wine draws every frame at the
    // system's), or the system scaled the old rectangle without asking, the client is made up.
    if (ClientSizeAt) {
        const SIZE client = ClientSizeAt(dpi_);
        if (ClientWidth() != client.cx || ClientHeight() != client.cy)
            SetBounds(left_, top_, width_ + client.cx - ClientWidth(),
                      height_ + client.cy - ClientHeight());
    }
    if (OnDpiChanged) OnDpiChanged(*this);
    // Every control painted anew: what the larger or smaller ones left behind goes too.
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

void TForm::RaisePendingActivate() {
    if (std::exchange(activatePending_, false) && OnActivate) OnActivate(*this);
}

namespace {
BOOL CALLBACK ForwardSysColorChange(HWND child, LPARAM) {
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}
} // namespace

LRESULT TForm::OnSystemColors(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT r = TWinControl::WndProc(msg, wp, lp);
    // Most changes of settings are not about colours; those that are repaint everything.
    UpdateColorScheme();
    if (msg != WM_SYSCOLORCHANGE && colorSchemeVersion_ == ColorSchemeVersion()) return r;
    colorSchemeVersion_ = ColorSchemeVersion();
    // Common controls hear of new colours only from their parent.
    if (msg == WM_SYSCOLORCHANGE) EnumChildWindows(Handle(), &ForwardSysColorChange, 0);
    if (OnColorsChange) OnColorsChange(*this);
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return r;
}

LRESULT TForm::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    Observers().ForEach([&](const Observer& o) {
        if (o.before) o.before(*this, msg, wp, lp);
    });
    LRESULT result = WndProc(msg, wp, lp);
    // Every form lets the session end, whatever its own handling answered.
    if (msg == WM_QUERYENDSESSION) result = 1;
    Observers().ForEach([&](const Observer& o) {
        if (o.after) o.after(*this, msg, wp, lp, result);
    });
    return result;
}

} // namespace vtl
