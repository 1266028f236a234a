#include "skin/FrameLayout.h"

#include <algorithm>
#include <cctype>

namespace vtl::skin {

namespace {

// Blanks are spaces and control characters, as the program's other trims treat them.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool FrameApplies(int width, int height, bool systemBorder, int dpi) {
    return !systemBorder && width >= Scaled(kMinWidth, dpi) && height >= Scaled(kMinHeight, dpi);
}

std::string NormalizeSkinName(std::string_view letter) {
    while (!letter.empty() && IsBlank(letter.front()))
        letter.remove_prefix(1);
    while (!letter.empty() && IsBlank(letter.back()))
        letter.remove_suffix(1);
    std::string name(letter);
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return name;
}

std::vector<Piece> FramePieces(int width, int height, int dpi, int artDpi) {
    const layout::FrameSheet g = layout::FrameSheetAt(artDpi);
    const int title = Scaled(kTitleHeight, dpi), border = Scaled(kBorderWidth, dpi);
    const int leftEnd = Scaled(layout::kTitleLeftWidth, dpi);
    const int rightEnd = Scaled(layout::kSheetWidth - layout::kTitleRightX, dpi);
    const int side = height - title - border; // the side strips: title and bottom strips excluded
    return {
        {Strip::Title, {0, 0, g.titleLeftWidth, g.band}, {0, 0, leftEnd, title}},
        {Strip::Title,
         {g.titleMiddleX, 0, 1, g.band},
         {leftEnd, 0, width - leftEnd - rightEnd, title}},
        {Strip::Title,
         {g.width - g.titleRightWidth, 0, g.titleRightWidth, g.band},
         {width - rightEnd, 0, rightEnd, title}},
        {Strip::Left, {0, g.sideRowY, g.border, 1}, {0, 0, border, side}},
        {Strip::Right, {g.width - g.border, g.sideRowY, g.border, 1}, {0, 0, border, side}},
        {Strip::Bottom, {0, g.bottomY, g.border, g.border}, {0, 0, border, border}},
        {Strip::Bottom,
         {g.border, g.bottomY, 1, g.border},
         {border, 0, width - 2 * border, border}},
        {Strip::Bottom,
         {g.bottomRightX, g.bottomY, g.border, g.border},
         {width - border, 0, border, border}},
    };
}

int TitleItemTop(int height, int dpi) {
    return (Scaled(34, dpi) - height) / 2;
}

int CloseButtonLeft(int windowWidth, int dpi) {
    return windowWidth - Scaled(11, dpi) - Scaled(kButtonSize, dpi);
}

int MinimizeButtonLeft(int closeButtonLeft, int dpi) {
    return closeButtonLeft - Scaled(3, dpi) - Scaled(kButtonSize, dpi);
}

std::optional<int> ButtonTileX(std::string_view name, std::string_view state, int artDpi) {
    struct Tile {
        const char* name;
        const char* state;
        int x;
    };
    static constexpr Tile kTiles[] = {
        {"minimize", "up", 0},
        {"minimize", "down", 16},
        {"close", "up", 32},
        {"close", "down", 48},
    };
    for (const Tile& t : kTiles)
        if (EqualsIgnoreCase(name, t.name) && EqualsIgnoreCase(state, t.state))
            return t.x / kButtonSize * Scaled(kButtonSize, artDpi);
    return std::nullopt;
}

} // namespace vtl::skin
