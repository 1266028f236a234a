// Every input of both conversions. The digests pin the whole output tables, so the native
// and the Win32 build, running this same file, prove they agree bit for bit.
#include "color/FpuModel.h"
#include "color/Hsl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr std::uint64_t kRgbToHslDigest = 0x6AB92283E19E03E2;
constexpr std::uint64_t kHslToRgbDigest = 0xE80B305DF0203E5F;
// Triples whose result differs from plain double arithmetic: about 0.4 % and 4 %. Zero
// would mean the extended arithmetic is not in effect at all.
constexpr long kRgbToHslModelDependent = 65409;
constexpr long kHslToRgbModelDependent = 533976;

class Fnv1a64 {
  public:
    void Add(int byte) {
        value_ ^= static_cast<std::uint8_t>(byte);
        value_ *= 0x100000001B3u;
    }
    std::uint64_t Value() const { return value_; }

  private:
    std::uint64_t value_ = 0xCBF29CE484222325u;
};

// The conversions in plain double arithmetic follow. This file is built with SSE2
// arithmetic on i686 too, so both builds compute the same reference.

// Values here are 0..255: adding 2^52 leaves no fraction bits, so that addition rounds, an
// exact half to even. (MinGW's nearbyint would cost more than the conversions under test.)
int PlainNearest(double x) {
    return static_cast<int>((x + 0x1p52) - 0x1p52);
}

void PlainRGBToHSL(int R, int G, int B, int& H, int& S, int& L) {
    const double r = R / 255.0, g = G / 255.0, b = B / 255.0;
    const double max = r > (g > b ? g : b) ? r : (g > b ? g : b);
    const double min = r < (g < b ? g : b) ? r : (g < b ? g : b);
    const double l = (max + min) / 2;
    double s = 0, h = 0;
    if (max != min) {
        s = l < 0.5 ? (max - min) / (max + min) : (max - min) / ((2 - max) - min);
        const double delta = max - min;
        if (r == max)
            h = (g - b) / delta;
        else if (g == max)
            h = (b - r) / delta + 2;
        else
            h = (r - g) / delta + 4;
        h = h / 6;
        if (h < 0) h = h + 1;
    }
    H = PlainNearest(h * 240);
    S = PlainNearest(s * 240);
    L = PlainNearest(l * 240);
}

void PlainHSLToRGB(int H, int S, int L, int& R, int& G, int& B) {
    constexpr double k = 6.375;
    int v[3];
    if (H <= 40)
        v[0] = 255, v[1] = PlainNearest(H * k), v[2] = 0;
    else if (H <= 80)
        v[0] = PlainNearest(255 - (H - 40) * k), v[1] = 255, v[2] = 0;
    else if (H <= 120)
        v[0] = 0, v[1] = 255, v[2] = PlainNearest((H - 80) * k);
    else if (H <= 160)
        v[0] = 0, v[1] = PlainNearest(255 - (H - 120) * k), v[2] = 255;
    else if (H <= 200)
        v[0] = PlainNearest((H - 160) * k), v[1] = 0, v[2] = 255;
    else
        v[0] = 255, v[1] = 0, v[2] = PlainNearest(255 - (H - 200) * k);
    const double d = std::fabs((S - 240) / 240.0);
    for (int& c : v)
        c = PlainNearest(c - (c - 128) * d);
    const double e = (L - 120) / 120.0;
    for (int& c : v) {
        if (e > 0) c = PlainNearest((255 - c) * e + c);
        if (e < 0) c = PlainNearest(c * e + c);
    }
    R = v[0], G = v[1], B = v[2];
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(ColorSweep, EveryRgbTriple) {
    vtl::EnsureFpuModel();
    const auto start = std::chrono::steady_clock::now();
    Fnv1a64 digest;
    long outOfRange = 0, modelDependent = 0, lightnessDiffers = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                int h = -1, s = -1, l = -1;
                vtl::RGBToHSL(r, g, b, h, s, l);
                if (h < 0 || h > 240 || s < 0 || s > 240 || l < 0 || l > 240) {
                    if (++outOfRange <= 5)
                        ADD_FAILURE() << r << ", " << g << ", " << b << " gives " << h << ", " << s
                                      << ", " << l;
                }
                digest.Add(h), digest.Add(s), digest.Add(l);
                int ph, ps, pl;
                PlainRGBToHSL(r, g, b, ph, ps, pl);
                modelDependent += (h != ph || s != ps || l != pl);
                lightnessDiffers += l != pl;
            }
        }
    }
    std::printf("RGBToHSL: digest %016llX, %ld model-dependent triples, %.2f s\n",
                static_cast<unsigned long long>(digest.Value()), modelDependent,
                SecondsSince(start));
    EXPECT_EQ(outOfRange, 0);
    // Exact l * 240 is never a half, so lightness never depends on the arithmetic.
    EXPECT_EQ(lightnessDiffers, 0);
    EXPECT_EQ(modelDependent, kRgbToHslModelDependent);
    EXPECT_EQ(digest.Value(), kRgbToHslDigest);
}

TEST(ColorSweep, EveryHslTriple) {
    vtl::EnsureFpuModel();
    const auto start = std::chrono::steady_clock::now();
    Fnv1a64 digest;
    long outOfRange = 0, modelDependent = 0;
    for (int h = 0; h <= 240; ++h) {
        for (int s = 0; s <= 240; ++s) {
            for (int l = 0; l <= 240; ++l) {
                int r = -1, g = -1, b = -1;
                vtl::HSLToRGB(h, s, l, r, g, b);
                if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) {
                    if (++outOfRange <= 5)
                        ADD_FAILURE() << h << ", " << s << ", " << l << " gives " << r << ", " << g
                                      << ", " << b;
                }
                digest.Add(r), digest.Add(g), digest.Add(b);
                int pr, pg, pb;
                PlainHSLToRGB(h, s, l, pr, pg, pb);
                modelDependent += (r != pr || g != pg || b != pb);
            }
        }
    }
    std::printf("HSLToRGB: digest %016llX, %ld model-dependent triples, %.2f s\n",
                static_cast<unsigned long long>(digest.Value()), modelDependent,
                SecondsSince(start));
    EXPECT_EQ(outOfRange, 0);
    EXPECT_EQ(modelDependent, kHslToRgbModelDependent);
    EXPECT_EQ(digest.Value(), kHslToRgbDigest);
}
