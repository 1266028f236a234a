// Geometry of the skinned frame, free of Win32: when a window gets the frame, which pieces of a
// skin's frame sheet go where, where the title icon, caption and buttons sit, and which tile
// of the button strip shows a button in a state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtl::skin {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// Thickness of the strips around the content, at 96 dpi.
constexpr int kTitleHeight = 31;
constexpr int kBorderWidth = 5;

// A 96-dpi length at a DPI, rounded to the nearest pixel (as MulDiv rounds).
constexpr int Scaled(int value, int dpi) {
    return (value * dpi + 48) / 96;
}

// The DPIs the skins are drawn for (100 % to 300 %), and the one whose artwork a window at any
// DPI uses: the nearest, the smaller of two as near.
constexpr int kArtDpis[] = {96, 120, 144, 168, 192, 240, 288};
int NearestArtDpi(int dpi);
// The resource of a skin bitmap drawn for a DPI: the 96-dpi name, or "_<dpi>" after it.
std::string ArtResourceName(const std::string& name, int artDpi);

// Where the pieces lie in a frame sheet drawn for a DPI: the 96-dpi sheet with every length
// scaled, the right end and the bottom anchored to the sheet's right and bottom edges.
struct SheetLayout {
    int width, height;
    int band, border;
    int titleLeftWidth, titleMiddleX, titleRightWidth;
    int sideRowY, bottomY, bottomRightX;
    int contentX, contentY;
};
SheetLayout SheetAt(int artDpi);

// The smallest window the frame is drawn on.
constexpr int kMinWidth = 251;
constexpr int kMinHeight = 189;

// The sheet's pixel that gives the content panel its colour.
constexpr int kContentColorX = 6;
constexpr int kContentColorY = 32;

// Icons and tiles: pure red (as a colour value 0x00BBGGRR) is not drawn.
constexpr unsigned kTransparentColor = 0x000000FF;
constexpr int kButtonSize = 16;

// Resource name prefixes; the skin letter follows.
constexpr const char* kFormPrefix = "RES_FORM_";
constexpr const char* kIconPrefix = "RES_ICON_";
constexpr const char* kTitlePrefix = "RES_TITLE_";

// A window gets the frame only without a system border and at 251 x 189 pixels or more
// (scaled at its DPI).
bool FrameApplies(int width, int height, bool systemBorder, int dpi = 96);

// The skin letter without surrounding blanks (spaces and control characters), upper case.
std::string NormalizeSkinName(std::string_view letter);

enum class Strip { Title, Left, Right, Bottom };

// One copy from the sheet into a strip's image; stretched when the sizes differ: only the
// one-pixel middles of the title and borders, unless the window's DPI has no artwork of its own.
struct Piece {
    Strip strip;
    Box source;
    Box dest;
    bool Stretched() const { return source.width != dest.width || source.height != dest.height; }
};

// The copies for a window of width x height at a DPI from the sheet drawn for artDpi, in the
// order they are made.
std::vector<Piece> FramePieces(int width, int height, int dpi = 96, int artDpi = 96);

// Vertical place of a title item of the given height: centred on a 34-pixel band (scaled),
// the division rounding toward zero.
int TitleItemTop(int height, int dpi = 96);
constexpr int kIconLeft = 11;
// The caption starts this far right of the icon.
constexpr int kCaptionGap = 4;
int CloseButtonLeft(int windowWidth, int dpi = 96);
int MinimizeButtonLeft(int closeButtonLeft, int dpi = 96);

// Left edge of the 16 x 16 tile (scaled for artDpi) for a button ("minimize", "close") in a
// state ("up", "down"), letter case ignored; none for any other pair.
std::optional<int> ButtonTileX(std::string_view name, std::string_view state, int artDpi = 96);

} // namespace vtl::skin
