#include "color/FpuModel.h"
#include "color/Hsl.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {

using Triple = std::array<int, 3>;

Triple ToHSL(int r, int g, int b) {
    Triple hsl{-7, -7, -7}; // the conversion must overwrite these
    vtl::RGBToHSL(r, g, b, hsl[0], hsl[1], hsl[2]);
    return hsl;
}

Triple ToRGB(int h, int s, int l) {
    Triple rgb{-7, -7, -7};
    vtl::HSLToRGB(h, s, l, rgb[0], rgb[1], rgb[2]);
    return rgb;
}

class Hsl : public ::testing::Test {
  protected:
    void SetUp() override { vtl::EnsureFpuModel(); }
};

} // namespace

TEST_F(Hsl, PrimariesAndSecondariesToHSL) {
    EXPECT_EQ(ToHSL(255, 0, 0), (Triple{0, 240, 120}));
    EXPECT_EQ(ToHSL(0, 255, 0), (Triple{80, 240, 120}));
    EXPECT_EQ(ToHSL(0, 0, 255), (Triple{160, 240, 120}));
    EXPECT_EQ(ToHSL(255, 255, 0), (Triple{40, 240, 120}));
    EXPECT_EQ(ToHSL(0, 255, 255), (Triple{120, 240, 120}));
    EXPECT_EQ(ToHSL(255, 0, 255), (Triple{200, 240, 120}));
}

TEST_F(Hsl, GreysHaveNoHueOrSaturation) {
    EXPECT_EQ(ToHSL(0, 0, 0), (Triple{0, 0, 0}));
    EXPECT_EQ(ToHSL(1, 1, 1), (Triple{0, 0, 1}));
    EXPECT_EQ(ToHSL(127, 127, 127), (Triple{0, 0, 120}));
    EXPECT_EQ(ToHSL(128, 128, 128), (Triple{0, 0, 120}));
    EXPECT_EQ(ToHSL(254, 254, 254), (Triple{0, 0, 239}));
    EXPECT_EQ(ToHSL(255, 255, 255), (Triple{0, 0, 240}));
}

TEST_F(Hsl, RedTiesAndNearRedsToHSL) {
    EXPECT_EQ(ToHSL(255, 0, 1), (Triple{240, 240, 120})); // hue wraps to 240, not 0
    EXPECT_EQ(ToHSL(1, 0, 0), (Triple{0, 240, 0}));
    EXPECT_EQ(ToHSL(247, 213, 185), (Triple{18, 191, 203}));
}

TEST_F(Hsl, ExtendedPrecisionDecidesHalfHue) {
    // h * 240 is 159.5 exactly; the extended product falls just below (plain doubles: 160).
    EXPECT_EQ(ToHSL(0, 1, 80), (Triple{159, 240, 38}));
}

TEST_F(Hsl, ImpossibleStepEndsWithOutputsSoFar) {
    // max + min is zero: the saturation division would fault before anything is stored.
    EXPECT_EQ(ToHSL(1, -1, 0), (Triple{0, 0, 0}));
    // (2 - max) - min is zero.
    EXPECT_EQ(ToHSL(510, 0, 0), (Triple{0, 0, 0}));
    // Hue is stored, then saturation (about 2^32 * 240) does not fit an integer.
    EXPECT_EQ(ToHSL(INT_MAX, -(INT_MAX - 1), 0), (Triple{220, 0, 0}));
}

TEST_F(Hsl, HueSectorsToRGB) {
    EXPECT_EQ(ToRGB(0, 240, 120), (Triple{255, 0, 0}));
    EXPECT_EQ(ToRGB(240, 240, 120), (Triple{255, 0, 0}));
    EXPECT_EQ(ToRGB(40, 240, 120), (Triple{255, 255, 0}));
    EXPECT_EQ(ToRGB(80, 240, 120), (Triple{0, 255, 0}));
    EXPECT_EQ(ToRGB(120, 240, 120), (Triple{0, 255, 255}));
    EXPECT_EQ(ToRGB(160, 240, 120), (Triple{0, 0, 255}));
    EXPECT_EQ(ToRGB(200, 240, 120), (Triple{255, 0, 255}));
    // One past each boundary lands in the next sector.
    EXPECT_EQ(ToRGB(41, 240, 120), (Triple{249, 255, 0}));
    EXPECT_EQ(ToRGB(81, 240, 120), (Triple{0, 255, 6}));
    EXPECT_EQ(ToRGB(121, 240, 120), (Triple{0, 249, 255}));
    EXPECT_EQ(ToRGB(161, 240, 120), (Triple{6, 0, 255}));
    EXPECT_EQ(ToRGB(201, 240, 120), (Triple{255, 0, 249}));
}

TEST_F(Hsl, HalvesGoToEvenNeighbour) {
    EXPECT_EQ(ToRGB(4, 240, 120), (Triple{255, 26, 0}));  // 25.5
    EXPECT_EQ(ToRGB(12, 240, 120), (Triple{255, 76, 0})); // 76.5
    EXPECT_EQ(ToRGB(1, 240, 120), (Triple{255, 6, 0}));   // 6.375
    // Hue stage 127.5 gives 128, saturation stage 191.5 gives 192.
    EXPECT_EQ(ToRGB(20, 120, 120), (Triple{192, 128, 64}));
}

TEST_F(Hsl, LightnessStages) {
    EXPECT_EQ(ToRGB(20, 240, 180), (Triple{255, 192, 128}));
    EXPECT_EQ(ToRGB(20, 240, 60), (Triple{128, 64, 0}));
    EXPECT_EQ(ToRGB(160, 0, 120), (Triple{128, 128, 128}));
    EXPECT_EQ(ToRGB(0, 0, 240), (Triple{255, 255, 255}));
    EXPECT_EQ(ToRGB(0, 0, 0), (Triple{0, 0, 0}));
}

TEST_F(Hsl, ExtendedPrecisionDecidesHalfLightness) {
    // 129 * e + 129 with e a little beyond -5/6 lies just below 21.5 (plain doubles: 22).
    EXPECT_EQ(ToRGB(0, 1, 20), (Triple{21, 21, 21}));
}

TEST_F(Hsl, OutOfRangeGivesBlack) {
    for (const Triple& hsl : {Triple{241, 0, 0}, Triple{-1, 0, 0}, Triple{0, 0, 241},
                              Triple{0, 241, 120}, Triple{0, -1, 120}, Triple{120, 120, -1},
                              Triple{INT_MIN, 120, 120}, Triple{120, 120, INT_MAX}}) {
        EXPECT_EQ(ToRGB(hsl[0], hsl[1], hsl[2]), (Triple{0, 0, 0}))
            << hsl[0] << ", " << hsl[1] << ", " << hsl[2];
    }
}

TEST_F(Hsl, ThereAndBackIsNotExact) {
    EXPECT_EQ(ToHSL(247, 213, 185), (Triple{18, 191, 203}));
    EXPECT_EQ(ToRGB(18, 191, 203), (Triple{247, 213, 184}));
    EXPECT_EQ(ToRGB(0, 240, 0), (Triple{0, 0, 0}));
    EXPECT_EQ(ToRGB(0, 0, 120), (Triple{128, 128, 128}));
}
