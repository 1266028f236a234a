#include "color/Text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using vtl::StrToInt;
using vtl::TrimControl;

TEST(StrToInt, Decimal) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt("-123"), -123);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("-0"), 0);
    EXPECT_EQ(StrToInt("   42"), 42);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(StrToInt("00000000000002147483647"), INT_MAX);
}

TEST(StrToInt, EveryHexMarker) {
    for (const char* text : {"$1F", "x1F", "X1f", "0x1f", "0X1F", " $1f", "+$1F", "$001F"})
        EXPECT_EQ(StrToInt(text), 31) << text;
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("-0x10"), -16);
    EXPECT_EQ(StrToInt("$abcdef"), 0xABCDEF);
}

TEST(StrToInt, HexUsesAllThirtyTwoBits) {
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT_MIN);
    EXPECT_EQ(StrToInt("$7FFFFFFF"), INT_MAX);
    EXPECT_EQ(StrToInt("-$FFFFFFFF"), 1);
    EXPECT_EQ(StrToInt("-$80000000"), INT_MIN);
    EXPECT_EQ(StrToInt("$0000000000FFFFFFFF"), -1);
}

TEST(StrToInt, RejectsMalformedText) {
    for (const char* text :
         {"",     " ",    "+",   "-",   "$",   "x",    "0x",   "-$",   "12 ",
          " 1 2", "+-1",  "--1", "- 1", "1.5", "1e3",  "12a",  "$12G", "\t1",
          "1\t",  "0x-1", "$+1", "$ 1", "0$1", "00x1", "x0x1", "$$1",  "\xD9\xA3"}) {
        EXPECT_THROW(StrToInt(text), vtl::EConvertError) << '"' << text << '"';
    }
}

TEST(StrToInt, RejectsOverflow) {
    for (const char* text : {"2147483648", "-2147483649", "99999999999", "$100000000",
                             "-$100000000", "0x123456789", "18446744073709551617"}) {
        EXPECT_THROW(StrToInt(text), vtl::EConvertError) << text;
    }
}

TEST(StrToInt, MessageCarriesWholeText) {
    try {
        StrToInt("  12 ");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "'  12 ' is not a valid integer value");
    }
}

TEST(TryStrToInt, ReportsWithoutThrowing) {
    int value = 99;
    EXPECT_TRUE(vtl::TryStrToInt("-$1", value));
    EXPECT_EQ(value, -1);
    value = 99;
    EXPECT_FALSE(vtl::TryStrToInt("1x", value));
    EXPECT_EQ(value, 99);
}

TEST(TrimControl, DropsCodesUpToSpaceAtBothEnds) {
    const char padded[] = "\t\r\n \x01"
                          "a b\x1F \0";
    EXPECT_EQ(TrimControl(std::string(padded, sizeof padded)), "a b"); // both NULs included
    EXPECT_EQ(TrimControl("abc"), "abc");
    EXPECT_EQ(TrimControl(""), "");
    EXPECT_EQ(TrimControl(" \r\n"), "");
    EXPECT_EQ(TrimControl("\x21x\x21"), "\x21x\x21");
    // Bytes above 127 are text in the 8-bit code page, not control characters.
    EXPECT_EQ(TrimControl("\xA0x\xFF"), "\xA0x\xFF");
}
