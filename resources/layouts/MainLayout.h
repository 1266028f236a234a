// The main window: client area 261 x 664, a frame of four strips around the content
// panel Panel5. Positions are relative to the parent named in each row.
#pragma once

#include "ui/LayoutItem.h"

namespace vtl::layout {

constexpr int kMainClientWidth = 261;
constexpr int kMainClientHeight = 664;
// The name screen readers give the "+" icons' panels (panels paint no text).
constexpr const char* kPickName = "Pick colour (Ctrl+P)";

// clang-format off
inline constexpr Item kMainLayout[] = {
    // The frame strips and the content panel.
    {"Panel1", Kind::Panel, "", 0, 31, 5, 628},
    {"Image1", Kind::Image, "Panel1", 0, 0, 5, 628},
    {"Panel2", Kind::Panel, "", 0, 0, 261, 31},
    {"Image2", Kind::Image, "Panel2", 0, 0, 261, 31},
    {"Panel3", Kind::Panel, "", 256, 31, 5, 628},
    {"Image3", Kind::Image, "Panel3", 0, 0, 5, 628},
    {"Panel4", Kind::Panel, "", 0, 659, 261, 5},
    {"Image4", Kind::Image, "Panel4", 0, 0, 261, 5},
    {"Panel5", Kind::Panel, "", 5, 31, 251, 628},

    {"chkStayOnTop", Kind::CheckBox, "Panel5", 9, 12, 76, 17, "Stay on top"},
    {"cboZoom", Kind::ComboBox, "Panel5", 88, 10, 95, 21},
    {"btnMenu", Kind::Button, "Panel5", 187, 9, 55, 23, "Palette"},

    {"pnlDrag", Kind::Panel, "Panel5", 9, 38, 39, 39, kPickName, 0, kLowered},
    {"imgDrag", Kind::Image, "pnlDrag", 3, 3, 32, 32, "", 0, kNone, 0, 0, "picker"},
    {"pnlColor", Kind::Panel, "Panel5", 53, 38, 145, 39, "", 0, kLowered},
    {"shpColor", Kind::Shape, "pnlColor", 1, 1, 143, 37},
    {"pnlDrag2", Kind::Panel, "Panel5", 203, 38, 39, 39, kPickName, 0, kLowered},
    {"imgDrag2", Kind::Image, "pnlDrag2", 3, 3, 32, 32, "", 0, kNone, 0, 0, "picker"},
    {"pnlZoom", Kind::Panel, "Panel5", 9, 82, 233, 98, "Magnifier", 0, kLowered},
    {"imgZoom", Kind::Image, "pnlZoom", 1, 1, 231, 96, "", 0, kNone, 0, 0, "placeholder"},
    {"imgZoomCursor", Kind::Image, "pnlZoom", 194, 56, 32, 32, "", 0, kHidden, 0, 0, "zoom"},

    {"bvlRgbFrame", Kind::Bevel, "Panel5", 9, 186, 233, 98},
    {"lblR", Kind::Label, "Panel5", 18, 201, 0, 0, "R:"},
    {"spiR", Kind::SpinEdit, "Panel5", 32, 196, 90, 22, "", 0, kWhite, 0, 255},
    {"lblG", Kind::Label, "Panel5", 18, 229, 0, 0, "G:"},
    {"spiG", Kind::SpinEdit, "Panel5", 32, 224, 90, 22, "", 0, kWhite, 0, 255},
    {"lblB", Kind::Label, "Panel5", 18, 257, 0, 0, "B:"},
    {"spiB", Kind::SpinEdit, "Panel5", 32, 252, 90, 22, "", 0, kWhite, 0, 255},
    {"lblH", Kind::Label, "Panel5", 129, 201, 0, 0, "H:"},
    {"spiH", Kind::SpinEdit, "Panel5", 143, 196, 90, 22, "", 0, kNone, 0, 240},
    {"lblS", Kind::Label, "Panel5", 130, 229, 0, 0, "S:"},
    {"spiS", Kind::SpinEdit, "Panel5", 143, 224, 90, 22, "", 0, kNone, 0, 240},
    {"lblL", Kind::Label, "Panel5", 131, 257, 0, 0, "L:"},
    {"spiL", Kind::SpinEdit, "Panel5", 143, 252, 90, 22, "", 0, kNone, 0, 240},

    {"lblRGB", Kind::Label, "Panel5", 9, 296, 0, 0, "RGB:"},
    {"edtRGB", Kind::Edit, "Panel5", 53, 292, 129, 21, "", 1, kReadOnly | kWhite},
    {"btnRGBCopy", Kind::Button, "Panel5", 187, 291, 55, 23, "Copy", 1},
    {"lblDecimal", Kind::Label, "Panel5", 9, 323, 0, 0, "Decimal:"},
    {"edtDecimal", Kind::Edit, "Panel5", 53, 319, 129, 21, "", 2, kReadOnly | kWhite},
    {"btnDecimalCopy", Kind::Button, "Panel5", 187, 318, 55, 23, "Copy", 2},
    {"lblHex", Kind::Label, "Panel5", 9, 351, 0, 0, "Hex:"},
    {"edtHex", Kind::Edit, "Panel5", 53, 347, 129, 21, "", 3, kReadOnly | kWhite},
    {"btnHexCopy", Kind::Button, "Panel5", 187, 346, 55, 23, "Copy", 3},
    {"lblDelphi", Kind::Label, "Panel5", 9, 378, 0, 0, "Delphi:"},
    {"edtDelphi", Kind::Edit, "Panel5", 53, 374, 129, 21, "", 5, kReadOnly | kWhite},
    {"btnDelphiCopy", Kind::Button, "Panel5", 187, 373, 55, 23, "Copy", 5},
    {"lblVB", Kind::Label, "Panel5", 9, 405, 0, 0, "VB:"},
    {"edtVB", Kind::Edit, "Panel5", 53, 401, 129, 21, "", 6, kReadOnly | kWhite},
    {"btnVBCopy", Kind::Button, "Panel5", 187, 400, 55, 23, "Copy", 6},
    {"lblC", Kind::Label, "Panel5", 9, 433, 0, 0, "C/C++:"},
    {"edtC", Kind::Edit, "Panel5", 53, 429, 129, 21, "", 7, kReadOnly | kWhite},
    {"btnCCopy", Kind::Button, "Panel5", 187, 428, 55, 23, "Copy", 7},
    {"lblHtml", Kind::Label, "Panel5", 9, 461, 0, 0, "Html:"},
    {"edtHtml", Kind::Edit, "Panel5", 53, 457, 129, 21, "", 4, kReadOnly | kWhite},
    {"btnHtmlCopy", Kind::Button, "Panel5", 187, 456, 55, 23, "Menu"},

    {"ListView1", Kind::ListView, "Panel5", 9, 487, 233, 110},
    {"StatusBar1", Kind::StatusBar, "Panel5", 0, 607, 251, 21},
};
// clang-format on

} // namespace vtl::layout
