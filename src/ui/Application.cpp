#include "ui/Application.h"

#include "ui/Dpi.h"
#include "ui/Error.h"
#include "ui/Form.h"
#include "ui/Icons.h"
#include "ui/ModalScope.h"
#include "ui/Screen.h"
#include "ui/WideText.h"
#include "ui/WindowBinding.h"

#include <algorithm>
#include <utility>

namespace vtl {

namespace {
constexpr const char* kAppClass = "VtlApplication";

bool IsInput(UINT msg) {
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
           (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK);
}
} // namespace

TApplication& Application() {
    static TApplication app;
    return app;
}

TApplication::TApplication() : instance_(GetModuleHandleA(nullptr)) {}

TApplication::~TApplication() {
    if (!handle_) return;
    UnbindWindow(handle_);
    DestroyWindow(handle_);
}

void TApplication::Initialize() {
    if (handle_) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TApplication::WndProc;
    wc.hInstance = instance_;
    const int dpi = SystemDpi();
    wc.hIcon = icon_ = ProgramIcon(false, dpi);
    wc.hIconSm = smallIcon_ = ProgramIcon(true, dpi);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClass;
    CheckWin32(RegisterClassExA(&wc) != 0, "RegisterClassEx");
    // Zero size, centred: never seen, but it owns the forms and carries the taskbar button.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, kAppClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, instance_, this);
    CheckWin32(handle_ != nullptr, "CreateWindowEx");
    if (StartupHook) StartupHook();
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextA(handle_, title_.c_str());
}

LRESULT CALLBACK TApplication::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = BoundWindowObject<TApplication>(wnd, msg, lp);
    if (!self) return DefWindowProcA(wnd, msg, wp, lp);
    // Program code runs from here (the minimise event): no exception crosses into the system.
    try {
        return self->HandleMessage(wnd, msg, wp, lp);
    } catch (...) {
        self->HandleCurrentException();
        return 0;
    }
}

LRESULT TApplication::HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        // Closing from the taskbar closes the main form, which ends the program.
        if (mainForm_) mainForm_->Close();
        return 0;
    case WM_SYSCOMMAND:
        if (OnSysCommand(wp)) return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE)
            activatedFromForm_ = IsFormWindow(reinterpret_cast<HWND>(lp));
        break;
    case WM_SETFOCUS: HandActivationOn(); break;
    case WM_SIZE: OnSize(wp); break;
    case WM_QUERYENDSESSION: return 1;
    case WM_DISPLAYCHANGE: Screen().DisplayChanged(); break;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

bool TApplication::OnSysCommand(WPARAM wp) {
    switch (wp & 0xFFF0) {
    case SC_MINIMIZE: Minimize(); return true;
    case SC_RESTORE: Restore(); return true;
    default: return false;
    }
}

void TApplication::SetTaskbarButton(bool shown) {
    if (!handle_) return;
    // The whole extended style is replaced; WM_NCCREATE without parameters then has the
    // window take the new style on, so that its taskbar button goes or comes.
    SetWindowLongA(handle_, GWL_EXSTYLE, shown ? 0 : WS_EX_TOOLWINDOW);
    SendMessageA(handle_, WM_NCCREATE, 0, 0);
}

void TApplication::SetTopmost(bool on) {
    if (handle_)
        SetWindowPos(handle_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TApplication::Show() {
    if (handle_ && !IsWindowVisible(handle_)) ShowWindow(handle_, SW_SHOWNA);
}

void TApplication::Hide() {
    if (handle_) ShowWindow(handle_, SW_HIDE);
}

void TApplication::BringToFront() {
    if (!handle_) return;
    SetForegroundWindow(handle_);
    // Already active, the window got no new focus to hand on.
    HandActivationOn();
}

void TApplication::HoldActivation(bool hold) {
    activationHeld_ = hold;
    if (!hold) HandActivationOn();
}

void TApplication::ModalChanged(bool modal) {
    modalOpen_ = modal;
    if (OnModal) OnModal(modal);
    if (modal) return;
    // A system dialog owned by this window gave activation back to it while the forms were
    // still disabled.
    HandActivationOn();
    for (size_t i = 0; i < forms_.size(); ++i)
        forms_[i]->RaisePendingActivate();
}

HWND TApplication::ActivationTarget() const {
    if (const HWND popup = GetLastActivePopup(handle_); popup != handle_ && CanActivate(popup))
        return popup;
    if (!mainForm_ || !IsWindowVisible(mainForm_->Handle())) return nullptr;
    // A dialog owned by the main form is the main form's last active popup, not ours.
    const HWND main = mainForm_->Handle();
    if (const HWND popup = GetLastActivePopup(main); popup != main && CanActivate(popup))
        return popup;
    return CanActivate(main) ? main : nullptr;
}

void TApplication::HandActivationOn() {
    // The zero-size window never keeps the focus: the keys belong to a form.
    if (activationHeld_ || IsIconic(handle_) ||
        (GetActiveWindow() != handle_ && GetFocus() != handle_))
        return;
    if (const HWND target = ActivationTarget()) SetActiveWindow(target);
}

bool TApplication::Minimized() const {
    return handle_ && IsIconic(handle_);
}

void TApplication::Minimize() {
    if (handle_ && !IsIconic(handle_)) ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
    if (handle_ && IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
}

void TApplication::OnSize(WPARAM kind) {
    // Whatever minimised or restored the window: our own calls, the taskbar, minimise-all,
    // another program's ShowWindow.
    const bool minimized = kind == SIZE_MINIMIZED;
    if (minimized == minimized_) return;
    minimized_ = minimized;
    if (minimized) {
        // Windows hides the owned forms with their minimised owner; Wine does not, so say it.
        ShowOwnedPopups(handle_, FALSE);
        if (OnMinimize) OnMinimize();
    } else {
        ShowOwnedPopups(handle_, TRUE);
        if (mainForm_ && mainForm_->Visible()) ShowWindow(mainForm_->Handle(), SW_SHOW);
    }
}

void TApplication::AddForm(std::unique_ptr<TForm> form) {
    if (!mainForm_) mainForm_ = form.get();
    owned_.push_back(std::move(form));
}

void TApplication::RegisterForm(TForm* form) {
    forms_.push_back(form);
}

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

bool TApplication::IsFormWindow(HWND wnd) const {
    return std::any_of(forms_.begin(), forms_.end(),
                       [wnd](TForm* f) { return f->Handle() == wnd; });
}

TForm* TApplication::ActiveForm() const {
    HWND active = GetActiveWindow();
    for (TForm* f : forms_)
        if (f->Handle() == active) return f;
    return nullptr;
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!afterFirstPaint_.empty() && IsInput(msg.message)) RunAfterFirstPaint();
    if (FilterMessage(msg)) return true;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd) {
        const HWND top = GetAncestor(msg.hwnd, GA_ROOT);
        const auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(top));
        if (form && form->DialogKeys && IsDialogMessageA(top, &msg)) return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

bool TApplication::FilterMessage(const MSG& msg) {
    return messageFilters_.Any([&](const MessageFilter& filter) {
        try {
            return filter(msg);
        } catch (...) {
            HandleCurrentException();
            return true; // the filter had taken the message when it failed
        }
    });
}

int TApplication::AddMessageFilter(MessageFilter filter) {
    return messageFilters_.Add(std::move(filter));
}

void TApplication::RemoveMessageFilter(int id) {
    messageFilters_.Remove(id);
}

TMessageFilterScope::TMessageFilterScope(TApplication::MessageFilter filter)
    : id_(Application().AddMessageFilter(std::move(filter))) {}

TMessageFilterScope::~TMessageFilterScope() {
    Application().RemoveMessageFilter(id_);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        RunAfterFirstPaint();
        Idle();
        if (!terminated_) WaitMessage();
    }
}

void TApplication::AfterFirstPaint(std::function<void()> work) {
    afterFirstPaint_.push_back(std::move(work));
}

void TApplication::RunAfterFirstPaint() {
    // Taken out first: the work may pump messages and so come back here.
    auto work = std::exchange(afterFirstPaint_, {});
    for (auto& w : work) {
        try {
            w();
        } catch (...) {
            HandleCurrentException();
        }
    }
}

void TApplication::Idle() {
    idleHandlers_.ForEach([this](const IdleHandler& handler) {
        try {
            handler();
        } catch (...) {
            HandleCurrentException();
        }
    });
}

int TApplication::AddIdleHandler(IdleHandler handler) {
    return idleHandlers_.Add(std::move(handler));
}

void TApplication::RemoveIdleHandler(int id) {
    idleHandlers_.Remove(id);
}

void TApplication::Run(const std::function<void()>& ending) {
    while (!terminated_)
        HandleMessage();
    if (ending) ending();
    // Forms go newest first, each while its object is whole, so OnDestroy sees its fields.
    while (!owned_.empty()) {
        owned_.back()->DestroyWindowNow();
        owned_.pop_back();
    }
}

void TApplication::ModalLoop(const std::function<bool()>& done) {
    while (!terminated_ && !done())
        HandleMessage();
    // A quit that arrives inside a modal loop belongs to the outer loop too.
    if (terminated_) PostQuitMessage(0);
}

void TApplication::Terminate() {
    if (!terminated_) PostQuitMessage(0);
}

void TApplication::ShowException(const std::exception& e) {
    const auto* error = dynamic_cast<const Error*>(&e);
    std::wstring text = error ? error->Text() : Widen(e.what());
    if (!text.empty() && text.back() > L'.') text += L'.';
    if (OnException) {
        OnException(Narrow(text));
        return;
    }
    // With none of our windows active, an open modal bracket may have disabled the application
    // window; a box owned by a disabled window hands activation to another program as it goes.
    HWND owner = GetActiveWindow();
    if (!owner) owner = TModalScope::KeptWindow();
    if (!owner) owner = handle_;
    TModalScope modal(owner);
    MessageBoxW(owner, text.c_str(), Widen(title_).c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        try {
            ShowException(e);
        } catch (...) {
        }
    } catch (...) {
        try {
            ShowException(Error("Unknown error"));
        } catch (...) {
        }
    }
}

void TApplication::SetHintHidePause(int ms) {
    hintHidePause_ = ms;
}

} // namespace vtl
