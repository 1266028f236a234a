#pragma once

#include <cstdint>

namespace vtl {

// The HSL conversions are defined on the x87 unit running with a 64-bit significand,
// round to nearest and every exception masked. Windows may hand a thread a 53-bit
// setting, so the program calls this once at start.
void EnsureFpuModel();

std::uint16_t ReadFpuControlWord();
void WriteFpuControlWord(std::uint16_t cw);

// Exception masks, precision and rounding fields of the control word, and their values
// under the model.
constexpr std::uint16_t kFpuModelMask = 0x0F3F;
constexpr std::uint16_t kFpuModelBits = 0x033F;

constexpr bool FpuModelInEffect(std::uint16_t cw) {
    return (cw & kFpuModelMask) == kFpuModelBits;
}

// Puts the model in effect for its lifetime. When the caller ran under another setting,
// its whole x87 environment (control word and pending exception flags) comes back at the
// end, so unmasked exceptions cannot fire on flags raised inside the scope. Costs one
// fnstcw when the model is already in effect. Code relying on it must not be inlined into
// the scope's function, or the compiler may move the arithmetic across the switch.
class FpuModelScope {
  public:
    FpuModelScope();
    ~FpuModelScope();
    FpuModelScope(const FpuModelScope&) = delete;
    FpuModelScope& operator=(const FpuModelScope&) = delete;

  private:
    bool switched_ = false;
    std::uint16_t env_[14] = {}; // fnstenv's 28-byte image
};

} // namespace vtl
