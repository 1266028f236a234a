// The skinned frame's pure part: when a window gets the frame, the skin name, the pieces of the
// sheet and where they go, the title positions, the button tiles and the key-pixel runs that
// become the window's shape; and, with the program's own sheets, the shape they give.
#include "gen/frame_sheet.h"
#include "skin/FrameLayout.h"
#include "skin/RegionMask.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vtl::skin {
namespace {

TEST(SkinFrameRule, AppliesFrom251By189WithoutASystemBorder) {
    EXPECT_TRUE(FrameApplies(261, 664, false));
    EXPECT_TRUE(FrameApplies(251, 189, false));
    EXPECT_FALSE(FrameApplies(250, 664, false));
    EXPECT_FALSE(FrameApplies(261, 188, false));
    EXPECT_FALSE(FrameApplies(261, 664, true));
    EXPECT_FALSE(FrameApplies(0, 0, false));
    EXPECT_FALSE(FrameApplies(-300, 664, false));
}

TEST(SkinName, TrimsBlanksAndControlCharactersAndUpperCases) {
    EXPECT_EQ(NormalizeSkinName("B"), "B");
    EXPECT_EQ(NormalizeSkinName(" b "), "B");
    EXPECT_EQ(NormalizeSkinName("\t\r\n g\x01\x1f"), "G");
    EXPECT_EQ(NormalizeSkinName("o"), "O");
    EXPECT_EQ(NormalizeSkinName(" a b "), "A B") << "inner blanks stay";
    EXPECT_EQ(NormalizeSkinName(""), "");
    EXPECT_EQ(NormalizeSkinName(" \t "), "");
    EXPECT_EQ(NormalizeSkinName(std::string("\0b", 2)), "B");
    // Bytes above ASCII are neither blanks nor letters to change.
    EXPECT_EQ(NormalizeSkinName("\xA0\xE9"), "\xA0\xE9");
}

TEST(SkinTiles, NameAndStatePickTheTileIgnoringCase) {
    EXPECT_EQ(ButtonTileX("minimize", "up"), 0);
    EXPECT_EQ(ButtonTileX("minimize", "down"), 16);
    EXPECT_EQ(ButtonTileX("close", "up"), 32);
    EXPECT_EQ(ButtonTileX("close", "down"), 48);
    EXPECT_EQ(ButtonTileX("CLOSE", "Down"), 48);
    EXPECT_EQ(ButtonTileX("Minimize", "UP"), 0);
    for (auto [name, state] : std::vector<std::pair<const char*, const char*>>{{"close", "hover"},
                                                                               {"maximize", "up"},
                                                                               {"close ", "up"},
                                                                               {"", ""},
                                                                               {"up", "close"},
                                                                               {"minimise", "up"}})
        EXPECT_EQ(ButtonTileX(name, state), std::nullopt) << name << "/" << state;
}

// At every size the frame applies to, at every DPI, the pieces cover each strip once, edge
// to edge.
TEST(SkinPieces, CoverEachStripExactlyAtAnySizeAndDpi) {
    for (int dpi : {96, 110, 144, 240})
        for (int width : {251, 252, 261, 400, 1024})
            for (int height : {189, 200, 664, 1000}) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + "@" +
                             std::to_string(dpi));
                const int title = Scaled(kTitleHeight, dpi), border = Scaled(kBorderWidth, dpi);
                const int side = height - title - border;
                struct Area {
                    Strip strip;
                    int width, height;
                };
                for (Area a :
                     {Area{Strip::Title, width, title}, Area{Strip::Left, border, side},
                      Area{Strip::Right, border, side}, Area{Strip::Bottom, width, border}}) {
                    std::vector<int> hits(std::size_t(a.width * a.height), 0);
                    for (const Piece& p :
                         FramePieces(width, height, dpi, layout::NearestArtDpi(dpi))) {
                        if (p.strip != a.strip) continue;
                        ASSERT_GT(p.dest.width, 0);
                        for (int y = p.dest.top; y < p.dest.top + p.dest.height; ++y)
                            for (int x = p.dest.left; x < p.dest.left + p.dest.width; ++x) {
                                ASSERT_TRUE(x >= 0 && y >= 0 && x < a.width && y < a.height);
                                ++hits[std::size_t(y * a.width + x)];
                            }
                    }
                    for (int h : hits)
                        ASSERT_EQ(h, 1) << "strip " << int(a.strip);
                }
            }
}

TEST(SkinRegionMask, RunsCoverExactlyTheKeyPixels) {
    constexpr std::uint32_t key = 0x00FF00FF, other = 0x00E8E8E8;
    PixelGrid grid(7, 3, other);
    // Row 0: K K . K K K .   Row 1: nothing   Row 2: . . . . . . K
    for (int x : {0, 1, 3, 4, 5})
        grid.Set(x, 0, key);
    grid.Set(6, 2, key);
    const std::vector<Box> runs = KeyRuns(grid, key);
    EXPECT_EQ(runs, (std::vector<Box>{{0, 0, 2, 1}, {3, 0, 3, 1}, {6, 2, 1, 1}}));
    EXPECT_EQ(PixelCount(runs), 6);

    EXPECT_TRUE(KeyRuns(grid, 0x00123456).empty());
    EXPECT_EQ(KeyRuns(PixelGrid(4, 2, key), key), (std::vector<Box>{{0, 0, 4, 1}, {0, 1, 4, 1}}));
    EXPECT_TRUE(KeyRuns(PixelGrid(0, 0), key).empty());
}

// The title band as the frame draws it from the program's own sheet drawn for a DPI, and the
// pixels it cuts.
class ProgramSheetShape : public testing::TestWithParam<std::tuple<char, int>> {
  protected:
    static std::uint32_t ColorValue(art::Rgb c) {
        return std::uint32_t(c.r) | std::uint32_t(c.g) << 8 | std::uint32_t(c.b) << 16;
    }
    // Sheet pieces copied into a width x 31 (scaled) band; only the one-column middle is
    // stretched.
    static PixelGrid TitleBand(const art::Image& sheet, int width, int dpi) {
        PixelGrid band(width, Scaled(kTitleHeight, dpi));
        for (const Piece& p : FramePieces(width, Scaled(664, dpi), dpi, dpi)) {
            if (p.strip != Strip::Title) continue;
            EXPECT_TRUE(!p.Stretched() || p.source.width == 1) << "a stretched end";
            for (int y = 0; y < p.dest.height; ++y)
                for (int x = 0; x < p.dest.width; ++x) {
                    const int sx = p.source.left + x * p.source.width / p.dest.width;
                    band.Set(p.dest.left + x, p.dest.top + y,
                             ColorValue(sheet.rgb(sx, p.source.top + y)));
                }
        }
        return band;
    }
};

TEST_P(ProgramSheetShape, CutsTheCornerPatternAndNothingElse) {
    const auto [letter, dpi] = GetParam();
    const art::Image sheet = art::frameSheet(art::skinPalette(letter), dpi);
    const layout::FrameSheet at = layout::FrameSheetAt(dpi);
    ASSERT_EQ(sheet.width(), at.width);
    ASSERT_EQ(sheet.height(), at.height);
    const int width = Scaled(261, dpi);
    const PixelGrid band = TitleBand(sheet, width, dpi);
    const std::uint32_t key = band.At(0, 0);
    EXPECT_EQ(key, 0x00FF00FFu) << "magenta";

    // The corner pattern of 96 dpi, each of its pixels a square of the scale's size.
    const std::vector<int> right{6, 3, 2, 1, 1, 1};
    const std::vector<int> left = letter == 'B' ? right : std::vector<int>{5, 3, 3, 1, 1, 0};
    const auto cell = [dpi](int v) { return int((v + 0.5) * 96 / dpi); };
    std::set<std::pair<int, int>> expected;
    for (int y = 0; y < band.Height() && cell(y) < 6; ++y)
        for (int i = 0; i < width / 2; ++i) {
            if (cell(i) < left[std::size_t(cell(y))]) expected.insert({i, y});
            if (cell(i) < right[std::size_t(cell(y))]) expected.insert({width - 1 - i, y});
        }
    std::set<std::pair<int, int>> cut;
    for (const Box& run : KeyRuns(band, key))
        for (int x = run.left; x < run.left + run.width; ++x)
            cut.insert({x, run.top});
    EXPECT_EQ(cut, expected);
    if (dpi == 96) {
        EXPECT_EQ(PixelCount(KeyRuns(band, key)), letter == 'B' ? 28 : 27);
    }

    const std::uint32_t content = ColorValue(sheet.rgb(at.contentX, at.contentY));
    EXPECT_EQ(content, letter == 'O' ? 0x00E6F0EFu : 0x00E8E8E8u);
}

INSTANTIATE_TEST_SUITE_P(Skins, ProgramSheetShape,
                         testing::Combine(testing::Values('B', 'G', 'O'),
                                          testing::ValuesIn(layout::kArtDpis)));

} // namespace
} // namespace vtl::skin
