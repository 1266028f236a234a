#include "color/ColorValue.h"
#include "color/Text.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>

using vtl::ColorToNotation;
using vtl::HtmlToColor;
using vtl::TColor;

namespace {

using Notations = std::array<std::string, 7>;

Notations AllNotations(TColor c) {
    Notations out;
    for (int n = 1; n <= 7; ++n)
        out[n - 1] = ColorToNotation(c, n);
    return out;
}

std::string ConvertErrorMessage(const std::string& text) {
    try {
        HtmlToColor(text);
    } catch (const vtl::EConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(ColorChannels, PackCutsEachArgumentToEightBits) {
    static_assert(vtl::RGB(247, 213, 185) == 12178935);
    EXPECT_EQ(vtl::RGB(247, 213, 185), 12178935u);
    EXPECT_EQ(vtl::RGB(256, 0, 0), 0u);
    EXPECT_EQ(vtl::RGB(300, 0, 0), 44u);
    EXPECT_EQ(vtl::RGB(0, 300, 0), 44u << 8);
    EXPECT_EQ(vtl::RGB(0, 0, 300), 44u << 16);
    EXPECT_EQ(vtl::RGB(-1, -1, -1), 0xFFFFFFu);
}

TEST(ColorChannels, ReadIgnoresTopByte) {
    const TColor c = 0xAB123456;
    static_assert(vtl::GetRValue(0xAB123456) == 0x56);
    EXPECT_EQ(vtl::GetRValue(c), 0x56);
    EXPECT_EQ(vtl::GetGValue(c), 0x34);
    EXPECT_EQ(vtl::GetBValue(c), 0x12);
}

TEST(ColorNotation, InitialColour) {
    EXPECT_EQ(AllNotations(12178935), (Notations{"247, 213, 185", "12178935", "F7D5B9", "#F7D5B9",
                                                 "$00B9D5F7", "&H00B9D5F7&", "0xB9D5F7"}));
}

TEST(ColorNotation, BlackWhiteAndRed) {
    EXPECT_EQ(AllNotations(0), (Notations{"0, 0, 0", "0", "000000", "#000000", "$00000000",
                                          "&H00000000&", "0x000000"}));
    EXPECT_EQ(AllNotations(16777215), (Notations{"255, 255, 255", "16777215", "FFFFFF", "#FFFFFF",
                                                 "$00FFFFFF", "&H00FFFFFF&", "0xFFFFFF"}));
    EXPECT_EQ(AllNotations(255), (Notations{"255, 0, 0", "255", "FF0000", "#FF0000", "$000000FF",
                                            "&H000000FF&", "0x0000FF"}));
}

TEST(ColorNotation, TopByteShowsOnlyInWholeValueForms) {
    EXPECT_EQ(AllNotations(0xFFFFFFFF), (Notations{"255, 255, 255", "-1", "FFFFFF", "#FFFFFF",
                                                   "$00FFFFFFFF", "&H00FFFFFFFF&", "0xFFFFFFFF"}));
    EXPECT_EQ(AllNotations(0x12345678), (Notations{"120, 86, 52", "305419896", "785634", "#785634",
                                                   "$0012345678", "&H0012345678&", "0x12345678"}));
    // Seven digits: padded to six, never cut.
    EXPECT_EQ(ColorToNotation(0x01000000, 5), "$001000000");
    EXPECT_EQ(ColorToNotation(0x01000000, 7), "0x1000000");
    EXPECT_EQ(ColorToNotation(0x80000000, 2), "-2147483648");
}

TEST(ColorNotation, PadsSmallChannelsToTwoDigits) {
    EXPECT_EQ(AllNotations(0x0A0B0C), (Notations{"12, 11, 10", "658188", "0C0B0A", "#0C0B0A",
                                                 "$000A0B0C", "&H000A0B0C&", "0x0A0B0C"}));
}

TEST(ColorNotation, UnknownNumberGivesEmptyText) {
    for (int n : {0, 8, -1, 100})
        EXPECT_EQ(ColorToNotation(12178935, n), "") << n;
}

TEST(HtmlToColor, ReadsRedFirstInEitherCase) {
    EXPECT_EQ(HtmlToColor("#FF0000"), 255u);
    EXPECT_EQ(HtmlToColor("#f7d5b9"), 12178935u);
    EXPECT_EQ(HtmlToColor("#F7d5B9"), 12178935u);
    EXPECT_EQ(HtmlToColor("#0000ff"), 0xFF0000u);
}

TEST(HtmlToColor, IgnoresFirstCharacterAndTail) {
    EXPECT_EQ(HtmlToColor("#F7D5B9 and more"), 12178935u);
    EXPECT_EQ(HtmlToColor("xF7D5B9"), 12178935u);
    EXPECT_EQ(HtmlToColor("-F7D5B9"), 12178935u);
    EXPECT_EQ(HtmlToColor("#F7D5B9\r\n"), 12178935u);
}

TEST(HtmlToColor, ShortTextShifts) {
    EXPECT_EQ(HtmlToColor("#ABCDE"), 970155u);
    EXPECT_EQ(HtmlToColor("#ABCD"), 0xCDABu);
    EXPECT_EQ(HtmlToColor("#ABC"), 0xCABu);
    EXPECT_EQ(HtmlToColor("#AB"), 0xABu);
    EXPECT_EQ(HtmlToColor("#A"), 0xAu);
}

TEST(HtmlToColor, ErrorNamesJoinedText) {
    EXPECT_EQ(ConvertErrorMessage(""), "'$' is not a valid integer value");
    EXPECT_EQ(ConvertErrorMessage("#"), "'$' is not a valid integer value");
    EXPECT_EQ(ConvertErrorMessage("#12G456"), "'$56G412' is not a valid integer value");
    EXPECT_EQ(ConvertErrorMessage("#12 456"), "'$56 412' is not a valid integer value");
    EXPECT_EQ(ConvertErrorMessage("# 23456"), "'$5634 2' is not a valid integer value");
}

TEST(HtmlToColor, RejectsWhatTheIntegerRuleWouldOtherwiseTake) {
    // Signs, spaces and markers are valid integer text, but not behind the "$".
    for (const char* text : {"#1234-5", "#1234+5", "#12345 ", "#1234x5", "#1234$5", "#-12345",
                             "#0x1234", "#12345\t"}) {
        EXPECT_THROW(HtmlToColor(text), vtl::EConvertError) << text;
    }
}

TEST(HtmlToColor, EveryColourRoundTrips) {
    // Notation 4 is read back exactly; the lower-case form gives the same colour.
    int failures = 0;
    for (TColor c = 0; c <= 0xFFFFFF && failures < 5; ++c) {
        std::string html = ColorToNotation(c, 4);
        if (HtmlToColor(html) != c) ADD_FAILURE() << html, ++failures;
        if ((c & 0x3F) == 0) {
            for (char& ch : html)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (HtmlToColor(html) != c) ADD_FAILURE() << html, ++failures;
        }
    }
}
