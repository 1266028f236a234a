// The program's one modal bracket. While a modal window of ours runs (a form's ShowModal, a
// message box, the colour dialog), every other top-level window of the thread is disabled,
// the application window included, so that none of them takes the mouse or the keys. Scopes
// nest; the application hears when the outermost one begins and ends (TApplication::OnModal).
//
// Windows hands activation back to a modal window's owner only if that owner is enabled when
// the modal window goes; otherwise another program's window comes to the front. A system
// dialog disables its owner itself and enables it again before it is destroyed, but only an
// owner it found enabled: so the scope leaves a system dialog's owner alone. Our own forms
// enable their owner themselves before they hide (EnableWindows).
#pragma once

#include "ui/Win32.h"

#include <vector>

namespace vtl {

class TModalScope {
  public:
    // `keep` stays enabled: the modal form itself, or the owner given to a system dialog.
    explicit TModalScope(HWND keep = nullptr);
    ~TModalScope();
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

    // Enables the windows again. A form calls it before it hides.
    void EnableWindows();

    // The window the innermost open scope keeps enabled, or null: a window that shows a box
    // while the scopes are open owns it by this one, as every other may be disabled.
    static HWND KeptWindow();

  private:
    HWND keep_;
    std::vector<HWND> disabled_;
};

} // namespace vtl
