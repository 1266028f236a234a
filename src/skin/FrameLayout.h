// Geometry of the skinned frame, free of Win32: when a window gets the frame, which pieces of a
// skin's frame sheet go where, where the title icon, caption and buttons sit, and which tile
// of the button strip shows a button in a state.
#pragma once

#include "layouts/FrameSheet.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtl::skin {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

using layout::Scaled;

// Thickness of the strips around the content, at 96 dpi: those of the sheet.
constexpr int kTitleHeight = layout::kSheetBand;
constexpr int kBorderWidth = layout::kSheetBorder;

// The smallest window the frame is drawn on.
constexpr int kMinWidth = 251;
constexpr int kMinHeight = 189;

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
