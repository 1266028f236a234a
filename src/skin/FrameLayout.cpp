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

bool FrameApplies(int width, int height, bool systemBorder) {
    return !systemBorder && width >= kMinWidth && height >= kMinHeight;
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

std::vector<Piece> FramePieces(int width, int height) {
    const int side = height - 36; // the side strips' height: title and bottom strips excluded
    return {
        {Strip::Title, {0, 0, 11, 31}, {0, 0, 11, 31}},
        {Strip::Title, {187, 0, 1, 31}, {11, 0, width - 25, 31}},
        {Strip::Title, {201, 0, 14, 31}, {width - 14, 0, 14, 31}},
        {Strip::Left, {0, 32, 5, 1}, {0, 0, 5, side}},
        {Strip::Right, {210, 32, 5, 1}, {0, 0, 5, side}},
        {Strip::Bottom, {0, 39, 5, 5}, {0, 0, 5, 5}},
        {Strip::Bottom, {5, 39, 1, 5}, {5, 0, width - 10, 5}},
        {Strip::Bottom, {175, 39, 5, 5}, {width - 5, 0, 5, 5}},
    };
}

int TitleItemTop(int height) {
    return (34 - height) / 2;
}

int CloseButtonLeft(int windowWidth) {
    return windowWidth - 11 - kButtonSize;
}

int MinimizeButtonLeft(int closeButtonLeft) {
    return closeButtonLeft - 3 - kButtonSize;
}

std::optional<int> ButtonTileX(std::string_view name, std::string_view state) {
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
        if (EqualsIgnoreCase(name, t.name) && EqualsIgnoreCase(state, t.state)) return t.x;
    return std::nullopt;
}

} // namespace vtl::skin
