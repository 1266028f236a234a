// Sets a guard flag for one scope and clears it however the scope ends: a step that
// dispatches messages or changes what it reacts to does not run itself again meanwhile.
#pragma once

namespace vtl {

class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

} // namespace vtl
