// The runtime start: what runs before the entry sequence and stays set up until the program
// ends.
#pragma once

#include "shell/VistaAltFix.h"

#include <memory>

namespace vtl {

class TRuntimeStart {
  public:
    // Installs the COM start-up hook, refuses systems older than Windows 2000 (the process
    // ends there), makes the program's folder the current folder, creates the keyboard-cue
    // repaint fix and chains the start-up foreground hook in front of the COM hook.
    TRuntimeStart();
    ~TRuntimeStart();
    TRuntimeStart(const TRuntimeStart&) = delete;
    TRuntimeStart& operator=(const TRuntimeStart&) = delete;

  private:
    void InstallComHook();

    std::unique_ptr<TVistaAltFix> repaintFix_;
    bool comEntered_ = false;
};

} // namespace vtl
