// Decodes the files the artwork generator writes (the bitmaps unpacked as the program unpacks
// them), with a reader of our own, and checks the properties the window frame, the cursors and
// the magnifier rely on.
#include "gen/artwork.h"
#include "skin/PackedArt.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Px {
    int r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Px&) const = default;
};

const Px kMagenta{255, 0, 255};
const Px kRed{255, 0, 0};
const Px kWhite{255, 255, 255};

unsigned le16(const Bytes& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}
std::uint32_t le32(const Bytes& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

struct Picture {
    int width = 0, height = 0;
    std::vector<Px> px; // top-down
    std::vector<bool> masked;
    Px at(int x, int y) const { return px.at(std::size_t(y * width + x)); }
    bool clear(int x, int y) const { return masked.at(std::size_t(y * width + x)); }
};

Picture decodeBmp(const Bytes& b) {
    Picture p;
    EXPECT_GE(b.size(), 54u);
    EXPECT_EQ(b.at(0), 'B');
    EXPECT_EQ(b.at(1), 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    const std::uint32_t offset = le32(b, 10);
    EXPECT_EQ(le32(b, 14), 40u);
    p.width = int(le32(b, 18));
    p.height = int(le32(b, 22));
    EXPECT_GT(p.height, 0) << "rows are stored bottom-up";
    EXPECT_EQ(le16(b, 26), 1u);
    EXPECT_EQ(le16(b, 28), 24u);
    EXPECT_EQ(le32(b, 30), 0u);
    const std::size_t stride = (std::size_t(p.width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(b.size(), offset + stride * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::size_t at = offset + std::size_t(p.height - 1 - y) * stride + x * 3;
            p.px.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
        }
    return p;
}

// One icon image as an icon resource holds it, at offset: info header, BGRA rows, AND mask.
Picture decodeIconImage(const Bytes& b, std::size_t offset = 0) {
    Picture p;
    p.width = int(le32(b, offset + 4));
    p.height = int(le32(b, offset + 8)) / 2;
    EXPECT_EQ(le16(b, offset + 14), 32u);
    const std::size_t colour = offset + le32(b, offset);
    const std::size_t maskStride = (std::size_t(p.width) + 31) / 32 * 4;
    const std::size_t mask = colour + std::size_t(p.width) * p.height * 4;
    EXPECT_LE(mask + maskStride * p.height, b.size());
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::size_t row = std::size_t(p.height - 1 - y);
            const std::size_t at = colour + (row * p.width + x) * 4;
            p.px.push_back({b.at(at + 2), b.at(at + 1), b.at(at), b.at(at + 3)});
            p.masked.push_back(b.at(mask + row * maskStride + x / 8) & (0x80 >> (x % 8)));
        }
    return p;
}

std::vector<Picture> decodeIco(const Bytes& b) {
    EXPECT_EQ(le16(b, 0), 0u);
    EXPECT_EQ(le16(b, 2), 1u) << "an icon, not a cursor file";
    std::vector<Picture> images;
    for (unsigned i = 0; i < le16(b, 4); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t offset = le32(b, entry + 12);
        Picture p = decodeIconImage(b, offset);
        EXPECT_EQ(p.width, b.at(entry));
        EXPECT_EQ(p.height, b.at(entry + 1));
        EXPECT_EQ(le16(b, entry + 6), 32u);
        const std::size_t maskStride = (std::size_t(p.width) + 31) / 32 * 4;
        EXPECT_EQ(le32(b, entry + 8),
                  le32(b, offset) + std::size_t(p.width) * p.height * 4 + maskStride * p.height);
        images.push_back(std::move(p));
    }
    return images;
}

const std::array<char, 3> kSkins{'B', 'G', 'O'};
// 100 % to 300 %; the files of a scale above 100 % carry the DPI in their names.
const std::array<int, 7> kDpis{96, 120, 144, 168, 192, 240, 288};

std::string dpiSuffix(int dpi) {
    std::string suffix;
    if (dpi != 96) suffix.append("_").append(std::to_string(dpi));
    return suffix;
}

class ArtworkFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::path(::testing::TempDir()) / "vtl_artwork_test";
        fs::remove_all(dir_);
        vtl::art::writeArtwork(dir_);
    }
    static Bytes read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        EXPECT_TRUE(in) << name;
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // A packed picture as the program unpacks it.
    static Bytes unpack(const std::string& name) {
        const Bytes packed = read(name);
        return vtl::skin::UnpackArt(packed.data(), packed.size());
    }
    static Picture bmp(const std::string& name) { return decodeBmp(unpack(name)); }
    // A cursor's pictures, one per scale.
    static std::vector<Picture> cursor(const std::string& name) {
        std::vector<Picture> images;
        for (int dpi : kDpis)
            images.push_back(decodeIconImage(unpack(name + dpiSuffix(dpi) + ".icon.z")));
        return images;
    }

    static inline fs::path dir_;
};

std::string skinFile(const char* prefix, char letter, int dpi = 96) {
    return prefix + std::string(1, letter) + dpiSuffix(dpi) + ".bmp.z";
}

int scaled(int v, int dpi) {
    return (v * dpi + 48) / 96;
}

TEST_F(ArtworkFiles, WritesExactlyTheFilesTheResourceScriptNames) {
    std::set<std::string> expected{"mainicon.ico"};
    for (int dpi : kDpis) {
        for (const char* name : {"picker", "zoom"})
            expected.insert(name + dpiSuffix(dpi) + ".icon.z");
        expected.insert("placeholder" + dpiSuffix(dpi) + ".bmp.z");
        for (char s : kSkins)
            for (const char* prefix : {"RES_FORM_", "RES_ICON_", "RES_TITLE_"})
                expected.insert(skinFile(prefix, s, dpi));
    }
    std::set<std::string> found;
    for (const auto& e : fs::directory_iterator(dir_))
        found.insert(e.path().filename().string());
    EXPECT_EQ(found, expected);
}

TEST_F(ArtworkFiles, BitmapsHaveTheirSizes) {
    std::map<std::string, std::pair<int, int>> sizes;
    for (int dpi : kDpis) {
        const auto s = [dpi](int v) { return scaled(v, dpi); };
        sizes["placeholder" + dpiSuffix(dpi) + ".bmp.z"] = {s(231), s(96)};
        for (char skin : kSkins) {
            sizes[skinFile("RES_FORM_", skin, dpi)] = {s(215), s(44)};
            sizes[skinFile("RES_ICON_", skin, dpi)] = {s(16), s(16)};
            sizes[skinFile("RES_TITLE_", skin, dpi)] = {4 * s(16), s(16)};
        }
    }
    for (const auto& [name, size] : sizes) {
        const Picture p = bmp(name);
        EXPECT_EQ(p.width, size.first) << name;
        EXPECT_EQ(p.height, size.second) << name;
    }
}

// The cursors' ring, written out row by row as the cursor is described.
std::set<std::pair<int, int>> ringPixels() {
    std::set<std::pair<int, int>> ring;
    for (int x = 15; x <= 17; ++x)
        ring.insert({x, 13}), ring.insert({x, 19});
    for (int y : {14, 18})
        ring.insert({14, y}), ring.insert({18, y});
    for (int y = 15; y <= 17; ++y)
        ring.insert({13, y}), ring.insert({19, y});
    return ring;
}

void expectOnlyPixels(const Picture& p, const std::set<std::pair<int, int>>& set, Px colour) {
    ASSERT_EQ(p.width, 32);
    ASSERT_EQ(p.height, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool on = set.contains({x, y});
            EXPECT_EQ(p.clear(x, y), !on) << x << "," << y;
            EXPECT_EQ(p.at(x, y).a, on ? 255 : 0) << x << "," << y;
            if (on) {
                EXPECT_EQ(p.at(x, y), colour) << x << "," << y;
            } else {
                EXPECT_EQ(p.at(x, y), (Px{0, 0, 0, 0})) << x << "," << y;
            }
        }
}

// A cursor drawn for a larger scale: its ring centred on the centre pixel (the hot spot),
// which stays clear, and the same seen turned by a quarter or mirrored.
void expectCentredRing(const Picture& p, int dpi) {
    const int size = scaled(32, dpi), c = size / 2, r = scaled(3, dpi);
    ASSERT_EQ(p.width, size);
    ASSERT_EQ(p.height, size);
    EXPECT_TRUE(p.clear(c, c)) << dpi;
    for (auto [x, y] : {std::pair{c + r, c}, {c - r, c}, {c, c + r}, {c, c - r}})
        EXPECT_FALSE(p.clear(x, y)) << dpi << ": " << x << "," << y;
    for (int y = 1; y < size; ++y)
        for (int x = 1; x < size; ++x) {
            EXPECT_EQ(p.at(x, y), p.at(y, x)) << dpi << ": " << x << "," << y;
            EXPECT_EQ(p.at(x, y), p.at(2 * c - x, y)) << dpi << ": " << x << "," << y;
        }
}

TEST_F(ArtworkFiles, PickerCursorIsRingAndArmsInBlack) {
    const auto images = cursor("picker");
    ASSERT_EQ(images.size(), kDpis.size());
    for (std::size_t i = 1; i < kDpis.size(); ++i) {
        expectCentredRing(images[i], kDpis[i]);
        EXPECT_FALSE(images[i].clear(images[i].width / 2, 1)) << "an arm";
    }
    auto set = ringPixels();
    EXPECT_EQ(set.size(), 16u);
    for (int i = 1; i <= 31; ++i)
        if (i <= 12 || i >= 20) set.insert({16, i}), set.insert({i, 16});
    EXPECT_EQ(set.size(), 16u + 4 * 12);
    expectOnlyPixels(images[0], set, {0, 0, 0, 255});
}

TEST_F(ArtworkFiles, ZoomCursorIsTheRingInPureRed) {
    const auto images = cursor("zoom");
    ASSERT_EQ(images.size(), kDpis.size());
    for (std::size_t i = 1; i < kDpis.size(); ++i) {
        expectCentredRing(images[i], kDpis[i]);
        EXPECT_TRUE(images[i].clear(images[i].width / 2, 1)) << "no arms";
    }
    expectOnlyPixels(images[0], ringPixels(), {255, 0, 0, 255});
}

TEST_F(ArtworkFiles, MainIconHasItsSizesWithMatchingMask) {
    // The small and large icon sizes of 100 % to 300 %.
    const std::vector<int> sizes{16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96};
    const auto images = decodeIco(read("mainicon.ico"));
    ASSERT_EQ(images.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const Picture& p = images[i];
        const int size = sizes[i];
        ASSERT_EQ(p.width, size);
        ASSERT_EQ(p.height, size);
        int opaque = 0, clear = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                EXPECT_EQ(p.clear(x, y), p.at(x, y).a == 0) << size << ": " << x << "," << y;
                opaque += p.at(x, y).a == 255;
                clear += p.clear(x, y);
            }
        // A real drawing: a good part solid, with transparent space around it.
        EXPECT_GT(opaque, size * size / 4) << size;
        EXPECT_GT(clear, size * size / 8) << size;
        EXPECT_TRUE(p.clear(size - 1, size - 1) || p.clear(0, 0)) << size;
    }
}

struct Corner {
    std::array<int, 6> left, right;
};

Corner cornerOf(char skin) {
    const std::array<int, 6> rounder{6, 3, 2, 1, 1, 1};
    if (skin == 'B') return {rounder, rounder};
    return {{5, 3, 3, 1, 1, 0}, rounder};
}

// The window's title image, put together from the sheet as the frame does for a window W wide.
Picture titleImage(const Picture& sheet, int width) {
    Picture t;
    t.width = width;
    t.height = 31;
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < width; ++x) {
            int sx = 187;
            if (x < 11) sx = x;
            if (x >= width - 14) sx = 201 + x - (width - 14);
            t.px.push_back(sheet.at(sx, y));
        }
    return t;
}

TEST_F(ArtworkFiles, TitleImageCutsExactlyTheCornerPixels) {
    for (char s : kSkins) {
        const Picture sheet = bmp(skinFile("RES_FORM_", s));
        EXPECT_EQ(sheet.at(0, 0), kMagenta) << s;
        const Picture title = titleImage(sheet, 261);
        const Corner c = cornerOf(s);
        std::set<std::pair<int, int>> expected;
        for (int y = 0; y < 6; ++y) {
            for (int i = 0; i < c.left[std::size_t(y)]; ++i)
                expected.insert({i, y});
            for (int i = 0; i < c.right[std::size_t(y)]; ++i)
                expected.insert({260 - i, y});
        }
        std::set<std::pair<int, int>> cut;
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 261; ++x)
                if (title.at(x, y) == kMagenta) cut.insert({x, y});
        EXPECT_EQ(cut, expected) << s;
        EXPECT_EQ(cut.size(), s == 'B' ? 28u : 27u) << s;
    }
}

TEST_F(ArtworkFiles, RightCornerSitsAtTheWindowEdge) {
    const Picture title = titleImage(bmp("RES_FORM_B.bmp.z"), 261);
    const std::vector<std::pair<int, int>> rows{{0, 255}, {1, 258}, {2, 259},
                                                {3, 260}, {4, 260}, {5, 260}};
    for (auto [y, first] : rows) {
        EXPECT_NE(title.at(first - 1, y), kMagenta) << y;
        for (int x = first; x < 261; ++x)
            EXPECT_EQ(title.at(x, y), kMagenta) << x << "," << y;
    }
}

TEST_F(ArtworkFiles, TitleEndsJoinTheStretchedMiddleWithoutSeams) {
    for (char s : kSkins) {
        const Picture sheet = bmp(skinFile("RES_FORM_", s));
        for (int y = 0; y < 31; ++y) {
            EXPECT_EQ(sheet.at(10, y), sheet.at(187, y)) << s << " row " << y;
            EXPECT_EQ(sheet.at(201, y), sheet.at(187, y)) << s << " row " << y;
        }
        // A gradient, not a flat band: the top differs from the bottom.
        EXPECT_NE(sheet.at(187, 10), sheet.at(187, 25)) << s;
    }
}

TEST_F(ArtworkFiles, BordersAndBottomCarryNoKeyColour) {
    for (char s : kSkins) {
        const Picture sheet = bmp(skinFile("RES_FORM_", s));
        const std::vector<std::array<int, 4>> pieces{
            {0, 32, 5, 1}, {210, 32, 5, 1}, {0, 39, 5, 5}, {5, 39, 1, 5}, {175, 39, 5, 5}};
        for (const auto& [x0, y0, w, h] : pieces)
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    EXPECT_NE(sheet.at(x, y), kMagenta) << s << " " << x << "," << y;
    }
}

TEST_F(ArtworkFiles, ContentColourPerSkin) {
    EXPECT_EQ(bmp("RES_FORM_B.bmp.z").at(6, 32), (Px{232, 232, 232}));
    EXPECT_EQ(bmp("RES_FORM_G.bmp.z").at(6, 32), (Px{232, 232, 232}));
    EXPECT_EQ(bmp("RES_FORM_O.bmp.z").at(6, 32), (Px{239, 240, 230}));
}

void expectRedCorners(const Picture& p, int x0, const std::string& what) {
    for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}})
        EXPECT_EQ(p.at(x0 + x, y), kRed) << what << " corner " << x << "," << y;
}

int countOf(const Picture& p, int x0, Px colour) {
    int n = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = x0; x < x0 + 16; ++x)
            n += p.at(x, y) == colour;
    return n;
}

TEST_F(ArtworkFiles, TitleIconIsAGlyphOnPureRed) {
    for (char s : kSkins) {
        const Picture icon = bmp(skinFile("RES_ICON_", s));
        expectRedCorners(icon, 0, skinFile("RES_ICON_", s));
        const int red = countOf(icon, 0, kRed);
        EXPECT_GT(red, 64) << s;
        EXPECT_LT(red, 256 - 40) << s;
        EXPECT_EQ(countOf(icon, 0, kMagenta), 0) << s;
    }
}

TEST_F(ArtworkFiles, ButtonTilesHaveGlyphsAndPressedStates) {
    for (char s : kSkins) {
        const Picture tiles = bmp(skinFile("RES_TITLE_", s));
        for (int x0 : {0, 16, 32, 48}) {
            const std::string what = skinFile("RES_TITLE_", s) + " tile " + std::to_string(x0);
            expectRedCorners(tiles, x0, what);
            EXPECT_EQ(countOf(tiles, x0, kMagenta), 0) << what;
            EXPECT_LT(countOf(tiles, x0, kRed), 16) << what << ": only the corners are clear";
            EXPECT_GT(countOf(tiles, x0, kWhite), 6) << what << ": white glyph";
        }
        for (int up : {0, 32}) {
            bool differs = false;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    differs |= tiles.at(up + x, y) != tiles.at(up + 16 + x, y);
            EXPECT_TRUE(differs) << s << " tile " << up;
            // Pressed means darker in the middle of the face.
            const Px u = tiles.at(up + 2, 8), d = tiles.at(up + 18, 8);
            EXPECT_LT(d.r + d.g + d.b, u.r + u.g + u.b) << s << " tile " << up;
        }
        // Minimize and close are different glyphs.
        bool glyphsDiffer = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                glyphsDiffer |= (tiles.at(x, y) == kWhite) != (tiles.at(32 + x, y) == kWhite);
        EXPECT_TRUE(glyphsDiffer) << s;
    }
}

TEST_F(ArtworkFiles, PlaceholderIsNotBlank) {
    const Picture p = bmp("placeholder.bmp.z");
    std::set<std::array<int, 3>> colours;
    for (const Px& c : p.px)
        colours.insert({c.r, c.g, c.b});
    EXPECT_GT(colours.size(), 50u);
}

TEST(Artwork, IsDeterministic) {
    const auto a = vtl::art::allArtwork(), b = vtl::art::allArtwork();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_TRUE(a[i].bytes == b[i].bytes) << a[i].name;
    }
}

TEST(PackedArt, DamagedDataFailsRatherThanGivingAPicture) {
    Bytes data(5000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = std::uint8_t(i * 7 % 251);
    const Bytes packed = vtl::art::pack(data);
    EXPECT_EQ(vtl::skin::UnpackArt(packed.data(), packed.size()), data);
    EXPECT_THROW(vtl::skin::UnpackArt(packed.data(), packed.size() - 5), std::runtime_error)
        << "the stream cut short";
    for (int change : {+1, -1}) {
        Bytes wrongSize = packed;
        wrongSize[0] = std::uint8_t(wrongSize[0] + change);
        EXPECT_THROW(vtl::skin::UnpackArt(wrongSize.data(), wrongSize.size()), std::runtime_error)
            << "a size " << change << " off the stream's";
    }
}

} // namespace
