#include "color/FpuModel.h"
#include "color/Hsl.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

using vtl::ReadFpuControlWord;
using vtl::WriteFpuControlWord;

namespace {

using Triple = std::array<int, 3>;

constexpr std::uint16_t kModel = 0x037F;
constexpr std::uint16_t kDouble53 = 0x027F; // what MSVCRT gives a thread
constexpr std::uint16_t kSingle24 = 0x007F;
constexpr std::uint16_t kRoundUp = 0x0B7F;
constexpr std::uint16_t kTruncate = 0x0F7F;
constexpr std::uint16_t kUnmasked = 0x0340; // 64-bit, nearest, every exception live
constexpr std::uint16_t kExceptionFlags = 0x3F;

std::uint16_t ReadFpuStatusWord() {
    std::uint16_t sw = 0;
    asm volatile("fnstsw %0" : "=m"(sw) : : "memory");
    return sw;
}

void ClearFpuExceptions() {
    asm volatile("fnclex" : : : "memory");
}

// Puts the test's own setting back however the test ends.
class FpuSettingTest : public ::testing::Test {
  protected:
    void SetUp() override { vtl::EnsureFpuModel(); }
    void TearDown() override {
        ClearFpuExceptions();
        WriteFpuControlWord(kModel);
    }
};

// The lightness step of HSLToRGB(0, 1, 20) done directly under the current setting.
long double LightnessProbe() {
    volatile double e = -5.0 / 6.0;
    volatile long double v = 129;
    return v * e + v;
}

Triple ToHSL(int r, int g, int b) {
    Triple t{-7, -7, -7};
    vtl::RGBToHSL(r, g, b, t[0], t[1], t[2]);
    return t;
}

Triple ToRGB(int h, int s, int l) {
    Triple t{-7, -7, -7};
    vtl::HSLToRGB(h, s, l, t[0], t[1], t[2]);
    return t;
}

} // namespace

TEST_F(FpuSettingTest, DoublePrecisionSettingChangesTheArithmetic) {
    // Shows the cases below are sensitive to the setting at all.
    EXPECT_LT(LightnessProbe(), 21.5L);
    WriteFpuControlWord(kDouble53);
    EXPECT_EQ(LightnessProbe(), 21.5L);
}

TEST_F(FpuSettingTest, EnsureFpuModelUndoesDoublePrecision) {
    WriteFpuControlWord(kDouble53);
    vtl::EnsureFpuModel();
    EXPECT_TRUE(vtl::FpuModelInEffect(ReadFpuControlWord()));
    EXPECT_LT(LightnessProbe(), 21.5L);
    EXPECT_EQ(ToRGB(0, 1, 20), (Triple{21, 21, 21}));
    EXPECT_EQ(ToHSL(0, 1, 80), (Triple{159, 240, 38}));
}

TEST_F(FpuSettingTest, EnsureFpuModelKeepsUnrelatedBits) {
    WriteFpuControlWord(kDouble53 | 0x1000); // infinity control, ignored by the unit
    vtl::EnsureFpuModel();
    EXPECT_EQ(ReadFpuControlWord() & 0x1F3F, 0x133F);
}

TEST_F(FpuSettingTest, ConversionsIgnoreCallerSettingAndKeepIt) {
    for (std::uint16_t cw : {kDouble53, kSingle24, kRoundUp, kTruncate}) {
        WriteFpuControlWord(cw);
        const Triple hsl = ToHSL(0, 1, 80);
        const std::uint16_t afterHsl = ReadFpuControlWord();
        const Triple rgb = ToRGB(0, 1, 20);
        const Triple initial = ToHSL(247, 213, 185);
        const Triple ties = ToRGB(20, 120, 120);
        const std::uint16_t afterRgb = ReadFpuControlWord();
        WriteFpuControlWord(kModel);
        EXPECT_EQ(hsl, (Triple{159, 240, 38})) << std::hex << cw;
        EXPECT_EQ(rgb, (Triple{21, 21, 21})) << std::hex << cw;
        EXPECT_EQ(initial, (Triple{18, 191, 203})) << std::hex << cw;
        EXPECT_EQ(ties, (Triple{192, 128, 64})) << std::hex << cw;
        EXPECT_EQ(afterHsl, cw);
        EXPECT_EQ(afterRgb, cw);
    }
}

TEST_F(FpuSettingTest, UnmaskedExceptionsDoNotFire) {
    // Inexact results everywhere, and a zero divisor: none may trap or leave a flag that
    // would trap in the caller's next instruction.
    ClearFpuExceptions();
    WriteFpuControlWord(kUnmasked);
    const Triple zeroDivisor = ToHSL(1, -1, 0);
    const Triple hsl = ToHSL(0, 1, 80);
    const Triple rgb = ToRGB(0, 1, 20);
    const std::uint16_t cw = ReadFpuControlWord();
    const std::uint16_t flags = ReadFpuStatusWord() & kExceptionFlags;
    ClearFpuExceptions();
    WriteFpuControlWord(kModel);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(cw, kUnmasked);
    EXPECT_EQ(zeroDivisor, (Triple{0, 0, 0}));
    EXPECT_EQ(hsl, (Triple{159, 240, 38}));
    EXPECT_EQ(rgb, (Triple{21, 21, 21}));
}

TEST_F(FpuSettingTest, CallerFlagsComeBackUnchanged) {
    WriteFpuControlWord(kDouble53);
    ClearFpuExceptions();
    ToHSL(0, 1, 80);
    const std::uint16_t afterClean = ReadFpuStatusWord() & kExceptionFlags;

    volatile long double one = 1, zero = 0;
    volatile long double infinite = one / zero; // masked: only raises the flag
    (void)infinite;
    ToRGB(0, 1, 20);
    const std::uint16_t afterZeroDivide = ReadFpuStatusWord() & kExceptionFlags;

    EXPECT_EQ(afterClean, 0);
    EXPECT_EQ(afterZeroDivide, 0x04);
}
