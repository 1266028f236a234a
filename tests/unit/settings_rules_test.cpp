#include "settings/SettingsRules.h"

#include "color/Text.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(SettingsRules, OnlyTheTextOneMeansStayOnTop) {
    EXPECT_TRUE(StayOnTopFromText("1"));
    for (const char* text : {"0", "yes", "true", "", " 1", "01", "1 "})
        EXPECT_FALSE(StayOnTopFromText(text)) << text;
    EXPECT_TRUE(StayOnTopFromText(StayOnTopText(true)));
    EXPECT_FALSE(StayOnTopFromText(StayOnTopText(false)));
}

TEST(SettingsRules, HandEditedZoomStartsAtOne) {
    EXPECT_EQ(StartupZoom("20"), 20);
    EXPECT_EQ(StartupZoom("x3"), 3);
    EXPECT_EQ(StartupZoom(" 7"), 7);
    for (const char* text : {"", "abc", "0", "21", "-3", "1.5", "7 px", "99999999999"})
        EXPECT_EQ(StartupZoom(text), 1) << text;
}

TEST(SettingsRules, StoredAverageOtherThanAnOddSizeToNineStartsAtOne) {
    EXPECT_EQ(StartupAverage("5"), 5);
    for (const char* text : {"0", "2", "11", "-3", "three", ""})
        EXPECT_EQ(StartupAverage(text), 1) << text;
}

TEST(SettingsRules, ZoomListIndexRoundTripsAndStrayIndexesDrawAtOne) {
    for (int zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
        EXPECT_EQ(IndexToZoom(ZoomToIndex(zoom)), zoom);
        EXPECT_EQ(StartupZoom(ZoomText(zoom)), zoom);
    }
    EXPECT_EQ(ZoomToIndex(1), 0);
    EXPECT_EQ(ZoomToIndex(20), 19);
    EXPECT_EQ(IndexToZoom(-1), 1) << "a list without a selection";
    EXPECT_EQ(IndexToZoom(20), 1);
}

} // namespace
} // namespace vtl
