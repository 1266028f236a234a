// An invisible top-level window with a window procedure of the program's own, for code that
// needs to receive messages without a form: the shell's tray notifications and broadcasts such
// as "TaskbarCreated", which a message-only window never gets.
#pragma once

#include "ui/Win32.h"

#include <functional>

namespace vtl {

class THiddenWindow {
  public:
    // Gets every message first; returns true when it answered (in result), false to leave
    // the message to the default processing.
    using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    THiddenWindow();
    ~THiddenWindow();
    THiddenWindow(const THiddenWindow&) = delete;
    THiddenWindow& operator=(const THiddenWindow&) = delete;

    HWND Handle() const { return handle_; }
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

  private:
    static void RegisterClassOnce(HINSTANCE instance);
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    HWND handle_ = nullptr;
    Handler handler_;
};

} // namespace vtl
