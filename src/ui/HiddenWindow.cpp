#include "ui/HiddenWindow.h"

#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/WindowBinding.h"

namespace vtl {

namespace {
constexpr const char* kHiddenClass = "VtlHiddenWindow";
} // namespace

void THiddenWindow::RegisterClassOnce(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &THiddenWindow::WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kHiddenClass;
    CheckWin32(RegisterClassExA(&wc) != 0, "RegisterClassEx");
    registered = true;
}

THiddenWindow::THiddenWindow() {
    HINSTANCE instance = Application().Instance();
    RegisterClassOnce(instance);
    // A zero-size tool window that is never shown: no taskbar button, but top-level, so
    // broadcasts reach it.
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    CheckWin32(handle_ != nullptr, "CreateWindowEx");
}

THiddenWindow::~THiddenWindow() {
    UnbindWindow(handle_);
    DestroyWindow(handle_);
}

LRESULT CALLBACK THiddenWindow::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = BoundWindowObject<THiddenWindow>(wnd, msg, lp);
    // Creation messages before WM_NCCREATE, and teardown: the defaults make it work.
    if (!self) return DefWindowProcA(wnd, msg, wp, lp);
    self->handle_ = wnd;
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
