// The About box: client area 295 x 194, a white panel with the program's icon, title,
// version, notice and two links, and the OK button below.
#pragma once

#include "ui/LayoutItem.h"

namespace vtl::layout {

constexpr int kAboutClientWidth = 295;
constexpr int kAboutClientHeight = 194;

// clang-format off
inline constexpr Item kAboutLayout[] = {
    {"shpBackground", Kind::Shape, "", 7, 7, 282, 147},
    {"bvlBackground", Kind::Bevel, "", 7, 7, 282, 147},
    {"imgIcon", Kind::Image, "", 14, 19, 32, 32},
    // Title, version and notice are centred when the box is shown.
    {"lblTitle", Kind::StaticText, "", 57, 27, 0, 0, "", 0, kWhite},
    {"lblVersion", Kind::StaticText, "", 57, 56, 0, 0, "", 0, kWhite},
    {"lblCopyright", Kind::StaticText, "", 46, 73, 0, 0, "", 0, kWhite},
    {"lblEmail", Kind::StaticText, "", 66, 105, 0, 0, "Our Mail:", 0, kWhite},
    {"lblEmailAddr", Kind::StaticText, "", 115, 105, 0, 0, "", 0, kWhite},
    {"lblWebsite", Kind::StaticText, "", 66, 122, 0, 0, "Our Site:", 0, kWhite},
    {"lblWebsiteAddr", Kind::StaticText, "", 115, 122, 0, 0, "", 0, kWhite},
    {"btnOK", Kind::Button, "", 110, 163, 74, 23, "OK"},
};
// clang-format on

} // namespace vtl::layout
