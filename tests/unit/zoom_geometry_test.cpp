// Which part of the grab the magnifier enlarges, and where a grab starts.
#include "main/ZoomGeometry.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(ZoomGeometryTest, SourceRectanglesOfTheMagnifier) {
    struct Row {
        int zoom, left, top, width, height;
    };
    for (const Row& r : {Row{1, 0, 0, 231, 96}, Row{2, 58, 24, 115, 48}, Row{3, 77, 32, 77, 32},
                         Row{7, 99, 42, 33, 13}, Row{18, 109, 46, 12, 5}, Row{19, 109, 46, 12, 5},
                         Row{20, 110, 46, 11, 4}}) {
        SCOPED_TRACE(r.zoom);
        const ZoomSource s = ZoomSourceRect(231, 96, r.zoom);
        EXPECT_EQ(s.left, r.left);
        EXPECT_EQ(s.top, r.top);
        EXPECT_EQ(s.width, r.width);
        EXPECT_EQ(s.height, r.height);
    }
}

TEST(ZoomGeometryTest, EveryZoomStaysInsideTheBufferAndZeroDrawsAsOne) {
    for (int z = 1; z <= 20; ++z) {
        const ZoomSource s = ZoomSourceRect(231, 96, z);
        EXPECT_GE(s.left, 0);
        EXPECT_LE(s.left + s.width, 231);
        EXPECT_LE(s.top + s.height, 96);
        EXPECT_GT(s.height, 0);
    }
    const ZoomSource s = ZoomSourceRect(231, 96, 0);
    EXPECT_EQ(s.width, 231);
}

TEST(ZoomGeometryTest, GrabPutsThePointerAt115By48EvenOffScreen) {
    const GrabOrigin o = GrabOriginFor(512, 384, 231, 96);
    EXPECT_EQ(o.left, 397);
    EXPECT_EQ(o.top, 336);
    const GrabOrigin edge = GrabOriginFor(-200, 15, 231, 96);
    EXPECT_EQ(edge.left, -315);
    EXPECT_EQ(edge.top, -33);
}

} // namespace
} // namespace vtl
