#include "color/FpuModel.h"

#if !defined(__i386__) && !defined(__x86_64__)
#error "the colour model needs an x87 unit"
#endif

namespace vtl {

std::uint16_t ReadFpuControlWord() {
    std::uint16_t cw = 0;
    asm volatile("fnstcw %0" : "=m"(cw) : : "memory");
    return cw;
}

void WriteFpuControlWord(std::uint16_t cw) {
    asm volatile("fldcw %0" : : "m"(cw) : "memory");
}

void EnsureFpuModel() {
    const std::uint16_t cw = ReadFpuControlWord();
    if (!FpuModelInEffect(cw)) WriteFpuControlWord((cw & ~kFpuModelMask) | kFpuModelBits);
}

FpuModelScope::FpuModelScope() {
    if (FpuModelInEffect(ReadFpuControlWord())) return;
    // fnstenv also masks every exception, so nothing can trap before the fldcw.
    asm volatile("fnstenv %0" : "=m"(env_) : : "memory");
    switched_ = true;
    EnsureFpuModel();
}

FpuModelScope::~FpuModelScope() {
    if (switched_) asm volatile("fldenv %0" : : "m"(env_) : "memory");
}

} // namespace vtl
