// <windows.h> after our header: its macros shadow our names and must give the same values.
#include "color/ColorValue.h"

#include <windows.h>

#include <gtest/gtest.h>

#ifndef RGB
#error "expected <windows.h> to define RGB"
#endif

TEST(ColorWithWindowsLast, MacrosAgreeWithFunctions) {
    for (vtl::TColor c : {0u, 255u, 12178935u, 0xFFFFFFu, 0xFF000000u, 0x12345678u, 0xFFFFFFFFu}) {
        EXPECT_EQ((vtl::GetRValue)(c), GetRValue(c)) << c;
        EXPECT_EQ((vtl::GetGValue)(c), GetGValue(c)) << c;
        EXPECT_EQ((vtl::GetBValue)(c), GetBValue(c)) << c;
    }
    for (int v : {0, 1, 128, 255, 256, 300, -1, -256}) {
        EXPECT_EQ((vtl::RGB)(v, 0, 0), RGB(v, 0, 0)) << v;
        EXPECT_EQ((vtl::RGB)(0, v, 0), RGB(0, v, 0)) << v;
        EXPECT_EQ((vtl::RGB)(0, 0, v), RGB(0, 0, v)) << v;
    }
}
