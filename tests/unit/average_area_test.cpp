// The mean of the square around the pointer, and where the magnifier outlines it.
#include "main/AverageArea.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

// White where x + y is even, black elsewhere; a few pixels carry odd channels.
std::uint32_t Checker(int x, int y) {
    return (x + y) % 2 == 0 ? 0xFFFFFFu : 0u;
}

TEST(AverageArea, MeansOverTheSquareRoundHalfUpAndCountOnlyPixelsOnAMonitor) {
    const std::vector<PixelRect> screen{{0, 0, 1280, 1024}};
    struct Row {
        int x, y, size;
        std::uint32_t mean;
    } rows[] = {
        {100, 100, 1, 0xFFFFFF},   {100, 100, 3, 0x8E8E8E}, // 5 of 9 white: 141.67
        {101, 100, 3, 0x717171},                            // 4 of 9: 113.33
        {100, 100, 5, 0x858585},                            // 13 of 25: 132.6
        {101, 100, 5, 0x7A7A7A},                            // 12 of 25: 122.4
        {0, 0, 3, 0x808080},       // the corner: 2 of the 4 on the screen, 127.5 rounds up
        {1279, 1023, 5, 0x8E8E8E}, // 5 of the 9 on the screen
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.x << "," << r.y << " " << r.size);
        EXPECT_EQ(AverageColor(AverageSquare(r.x, r.y, r.size), screen, Checker), r.mean);
    }
    // Channels on their own, and two monitors that overlap count a pixel once.
    const std::vector<PixelRect> twice{{0, 0, 2, 1}, {0, 0, 2, 1}};
    auto pair = [](int x, int) { return x == 0 ? 0x010203u : 0x020304u; };
    EXPECT_EQ(AverageColor({0, 0, 2, 1}, twice, pair), 0x020304u); // 1.5, 2.5, 3.5 up
    EXPECT_EQ(AverageColor(AverageSquare(-5, -5, 3), screen, Checker), std::nullopt);
}

TEST(AverageArea, MagnifiedSquareCoversTheSquaresBlocks) {
    struct Row {
        int zoom, size, left, top, right, bottom;
    } rows[] = {
        {1, 1, 115, 48, 116, 49},
        {1, 9, 111, 44, 120, 53},
        {3, 3, 111, 45, 120, 54}, // blocks of 3 from (115 - 77) * 3
        {20, 3, 84, 24, 147, 96}, // blocks of 21 x 24 from source (110, 46)
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.zoom << " " << r.size);
        const PixelRect s = MagnifiedSquare(231, 96, r.zoom, r.size);
        EXPECT_EQ(s.left, r.left);
        EXPECT_EQ(s.top, r.top);
        EXPECT_EQ(s.right, r.right);
        EXPECT_EQ(s.bottom, r.bottom);
    }
}

} // namespace
} // namespace vtl
