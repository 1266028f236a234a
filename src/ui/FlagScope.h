// Sets a guard flag for one scope and gives it back its old value however the scope ends: a
// step that dispatches messages or changes what it reacts to does not run itself again
// meanwhile, and a nested scope does not clear the flag an outer one still holds.
#pragma once

namespace vtl {

class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    const bool old_;
};

} // namespace vtl
