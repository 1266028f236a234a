#include "ui/HotKey.h"

namespace vtl {

namespace {

#ifndef MOD_NOREPEAT
constexpr UINT MOD_NOREPEAT = 0x4000;
#endif

constexpr UINT kReleaseLookMs = 30;

// MOD_NOREPEAT is known from Windows 7 (6.1) on.
bool HasNoRepeat() {
    const DWORD version = GetVersion();
    const unsigned major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
    return major > 6 || (major == 6 && minor >= 1);
}

} // namespace

THotKey::THotKey(HWND window, int id, UINT modifiers, UINT key)
    : window_(window), id_(id), key_(key),
      registered_(RegisterHotKey(window, id, modifiers | (HasNoRepeat() ? MOD_NOREPEAT : 0), key) !=
                  FALSE) {}

THotKey::~THotKey() {
    if (registered_) UnregisterHotKey(window_, id_);
}

bool THotKey::Pressed() {
    if (held_) return false;
    held_ = true;
    WatchRelease();
    return true;
}

// Nothing tells a program that keys it never received were let go: the key's state is
// looked at until it is up.
void THotKey::WatchRelease() {
    if (!release_) {
        release_ = std::make_unique<TTimer>(nullptr, kReleaseLookMs);
        release_->OnTimer = [this](TComponent&) {
            if (GetAsyncKeyState(int(key_)) < 0) return;
            held_ = false;
            release_->SetEnabled(false);
        };
    }
    release_->SetEnabled(true);
}

} // namespace vtl
