#include "saved/ColorsText.h"
#include "support/files.hpp"

#include <gtest/gtest.h>

namespace vtl {
namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Texts(const SavedColorsText& parsed) {
    Lines texts;
    for (const SavedColor& e : parsed.entries)
        texts.push_back(e.text);
    return texts;
}

TEST(SavedColorsText, LineEndsOfEveryKindAndANulThatEndsTheText) {
    EXPECT_EQ(SplitColorLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitColorLines("a\n\rb\r\n"), (Lines{"a", "", "b"})) << "LF CR is two line ends";
    EXPECT_EQ(SplitColorLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitColorLines(std::string_view("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
    EXPECT_TRUE(SplitColorLines("").empty());
}

TEST(SavedColorsText, WritesCrLfAfterEveryLineAndReadsItBack) {
    EXPECT_EQ(FormatSavedColors({"#F7D5B9", "#FF0000"}), "#F7D5B9\r\n#FF0000\r\n");
    EXPECT_EQ(FormatSavedColors({}), "");
    const Lines texts{"#00ff00", "#ABCDEF and more", std::string(5000, 'A').insert(0, "#")};
    const SavedColorsText back = ParseSavedColors(FormatSavedColors(texts));
    EXPECT_EQ(Texts(back), texts);
    EXPECT_EQ(back.entries[0].color, 0x00FF00u);
    EXPECT_FALSE(back.dropsText);
}

TEST(SavedColorsText, LinesThatAreNotColoursAreSkippedAndMarkTheFileForABackup) {
    SavedColorsText parsed = ParseSavedColors("\xEF\xBB\xBF#FF0000\r\n\r\n#0000ff\n");
    EXPECT_EQ(Texts(parsed), (Lines{"#FF0000", "#0000ff"})) << "the mark alone goes";
    EXPECT_FALSE(parsed.dropsText) << "an empty line loses nothing";

    parsed = ParseSavedColors("#FF0000\r\nstray word\r\n#12G456\r\n");
    EXPECT_EQ(Texts(parsed), (Lines{"#FF0000"}));
    EXPECT_TRUE(parsed.dropsText);

    EXPECT_FALSE(ParseSavedColors(std::string_view("#FF0000\0\0\r\n", 11)).dropsText);
    EXPECT_TRUE(ParseSavedColors(std::string_view("#FF0000\0#00FF00", 15)).dropsText);
}

TEST(SavedColorsText, Utf16OfEitherByteOrderReadsAsTheSameColours) {
    for (const bool big : {false, true}) {
        const SavedColorsText parsed =
            ParseSavedColors(e2e::utf16File(u"#FF0000\r\n\r\n#00ff00 x\n", big));
        EXPECT_EQ(Texts(parsed), (Lines{"#FF0000", "#00ff00 x"})) << big;
        EXPECT_FALSE(parsed.dropsText) << "the next write loses nothing: no backup";
    }
    // A letter the code page has not keeps its colour in the list, and the file its backup.
    SavedColorsText parsed = ParseSavedColors(e2e::utf16File(u"#FF0000 \u7EA2\r\n", false));
    EXPECT_EQ(Texts(parsed), (Lines{"#FF0000 ?"}));
    EXPECT_TRUE(parsed.dropsText);
    EXPECT_TRUE(ParseSavedColors(e2e::utf16File(u"#FF0000", false) + "#").dropsText)
        << "half a letter";
}

// Another program changed the file meanwhile: the user's one change is made to its version.
TEST(SavedColorsText, TheUsersChangeIsMadeToTheFileAsAnotherProgramLeftIt) {
    using Change = SavedColorsChange;
    const auto apply = [](const Lines& texts, const SavedColorsChange& change) {
        SavedColorsText file;
        for (const std::string& t : texts)
            file.entries.push_back({t, 0});
        ApplySavedColorsChange(file.entries, change);
        return Texts(file);
    };
    const Lines file{"a", "b", "a", "c"};
    EXPECT_EQ(apply(file, Change::Appended({"d", 0})), (Lines{"a", "b", "a", "c", "d"}));
    EXPECT_EQ(apply(file, Change::Removed("a", 2, 4)), (Lines{"a", "b", "c"})) << "at its place";
    // The list showed b, a, c, or z, a, b, a, c: a line added or removed above the chosen a
    // does not move it.
    EXPECT_EQ(apply(file, Change::Removed("a", 1, 3)), (Lines{"a", "b", "c"})) << "added above";
    EXPECT_EQ(apply(file, Change::Removed("a", 3, 5)), (Lines{"a", "b", "c"})) << "gone above";
    EXPECT_EQ(apply(file, Change::Removed("e", 0, 1)), file) << "else nothing";
    EXPECT_EQ(apply(file, Change::Cleared({"a", "c", "e"})), (Lines{"b", "a"})) << "newer stay";
}

} // namespace
} // namespace vtl
