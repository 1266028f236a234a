// The mean of the square around the pointer, and where the magnifier outlines it.
#include "main/AverageArea.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(AverageArea, MeansRoundHalfUpOverThePixelsOnAMonitorCountingEachOnce) {
    auto checker = [](int x, int y) { return (x + y) % 2 ? 0u : 0xFFFFFFu; };
    const std::vector<PixelRect> screen{{0, 0, 1280, 1024}};
    EXPECT_EQ(AverageColor(AverageSquare(101, 100, 5), screen, checker), 0x7A7A7Au); // 122.4
    EXPECT_EQ(AverageColor(AverageSquare(0, 0, 3), screen, checker), 0x808080u);     // 2 of 4 on it
    EXPECT_EQ(AverageColor(AverageSquare(-5, -5, 3), screen, checker), std::nullopt);
    // Each channel on its own (1.5, 2.5, 3.5), and monitors that overlap.
    auto pair = [](int x, int) { return x == 0 ? 0x010203u : 0x020304u; };
    EXPECT_EQ(AverageColor({0, 0, 2, 1}, {{0, 0, 2, 1}, {0, 0, 2, 1}}, pair), 0x020304u);
}

TEST(AverageArea, MagnifiedSquareCoversTheSquaresBlocks) {
    EXPECT_EQ(MagnifiedSquare(231, 96, 1, 9), (PixelRect{111, 44, 120, 53}));
    EXPECT_EQ(MagnifiedSquare(231, 96, 3, 3), (PixelRect{111, 45, 120, 54})); // blocks of 3
    EXPECT_EQ(MagnifiedSquare(231, 96, 20, 3), (PixelRect{84, 24, 147, 96})); // of 21 x 24
}

} // namespace
} // namespace vtl
