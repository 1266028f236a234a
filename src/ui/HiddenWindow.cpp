#include "ui/HiddenWindow.h"

#include "ui/Application.h"
#include "ui/Error.h"

namespace vtl {

namespace {
constexpr const char* kHiddenClass = "VtlHiddenWindow";

void RegisterHiddenClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA; // ours from WM_NCCREATE on, see WndProc
    wc.hInstance = instance;
    wc.lpszClassName = kHiddenClass;
    CheckWin32(RegisterClassExA(&wc) != 0, "RegisterClassEx");
    registered = true;
}
} // namespace

THiddenWindow::THiddenWindow() {
    HINSTANCE instance = Application().Instance();
    RegisterHiddenClass(instance);
    // A zero-size tool window that is never shown: no taskbar button, but top-level, so
    // broadcasts reach it.
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    CheckWin32(handle_ != nullptr, "CreateWindowEx");
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THiddenWindow::WndProc));
}

THiddenWindow::~THiddenWindow() {
    // Messages sent while the window goes away find no object any more.
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
}

LRESULT CALLBACK THiddenWindow::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<THiddenWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(wnd, msg, wp, lp);
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (...) {
        Application().HandleCurrentException();
        return 0;
    }
}

LRESULT THiddenWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (handler_ && handler_(msg, wp, lp, result)) return result;
    if (msg == WM_QUERYENDSESSION) return 1;
    return DefWindowProcA(handle_, msg, wp, lp);
}

} // namespace vtl
