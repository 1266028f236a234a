// A shortcut of the whole system (RegisterHotKey): its window gets WM_HOTKEY with the id
// whichever program has the keys. Held for the object's lifetime.
#pragma once

#include "ui/Timer.h"

#include <memory>

namespace vtl {

class THotKey {
  public:
    // Registers at once; Registered() tells whether the keys were free.
    THotKey(HWND window, int id, UINT modifiers, UINT key);
    ~THotKey();
    THotKey(const THotKey&) = delete;
    THotKey& operator=(const THotKey&) = delete;

    bool Registered() const { return registered_; }
    // For each WM_HOTKEY of it: false for the repeats of keys held down, which Windows
    // before 7 (no MOD_NOREPEAT) and Wine (which ignores it) send again and again.
    bool Pressed();

  private:
    void WatchRelease();

    HWND window_;
    int id_;
    UINT key_;
    bool registered_;
    bool held_ = false;
    std::unique_ptr<TTimer> release_; // looks for the key's release while it is held
};

} // namespace vtl
