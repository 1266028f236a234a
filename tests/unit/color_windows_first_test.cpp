// <windows.h> first: our header must drop its colour macros and take their place.
#include <windows.h>

#include "color/ColorValue.h"

#include <gtest/gtest.h>

#if defined(RGB) || defined(GetRValue) || defined(GetGValue) || defined(GetBValue)
#error "colour macros of <windows.h> survived color/ColorValue.h"
#endif

TEST(ColorWithWindowsFirst, FunctionsReplaceMacros) {
    const COLORREF c = vtl::RGB(247, 213, 185); // COLORREF and TColor are interchangeable
    EXPECT_EQ(c, 12178935u);
    EXPECT_EQ(vtl::GetRValue(c), 247);
    EXPECT_EQ(vtl::GetGValue(c), 213);
    EXPECT_EQ(vtl::GetBValue(c), 185);
    using namespace vtl;
    EXPECT_EQ(RGB(300, 0, 0), 44u);
}
