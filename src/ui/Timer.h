// A timer of the GUI thread: its event runs at the interval while it is enabled.
#pragma once

#include "ui/Control.h"

namespace vtl {

class TTimer : public TComponent {
  public:
    TTimer(TComponent* owner, UINT interval);
    ~TTimer() override;
    bool Enabled() const { return id_ != 0; }
    void SetEnabled(bool on);
    void SetInterval(UINT interval);
    TNotifyEvent OnTimer;

  private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    UINT interval_;
    UINT_PTR id_ = 0;
};

} // namespace vtl
