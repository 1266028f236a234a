// The program's one modal bracket. While a modal window of ours runs (a form's ShowModal, a
// message box, the colour dialog), every other top-level window of the thread is disabled,
// the application window included, so that none of them takes the mouse or the keys. Scopes
// nest; the application hears when the outermost one begins and ends (TApplication::OnModal).
#pragma once

#include "ui/Win32.h"

#include <vector>

namespace vtl {

class TModalScope {
  public:
    // `dialog` is the modal window when it exists already: it stays enabled.
    explicit TModalScope(HWND dialog = nullptr);
    ~TModalScope();
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

    // Enables the windows again. A form calls it before it hides, so that the system hands
    // activation back to its owner instead of another program. A system dialog (message box,
    // colour dialog) gives the foreground to its owner itself when it ends, disabled or not.
    void EnableWindows();

  private:
    void RestoreActivation() const;

    std::vector<HWND> disabled_;
    HWND active_;
    HWND focus_;
};

} // namespace vtl
