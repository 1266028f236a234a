// The Values dialog: client area 285 x 246, eight rows 28 pixels apart, each a label, a
// read-only field and its "Copy" button with the row number as tag. The rows' order is the
// child order the buttons walk: labels, then fields, then buttons.
#pragma once

#include "ui/LayoutItem.h"

namespace vtl::layout {

constexpr int kValuesClientWidth = 285;
constexpr int kValuesClientHeight = 246;

// clang-format off
inline constexpr Item kValuesLayout[] = {
    {"Label1", Kind::Label, "", 8, 17, 0, 0, "RGB:"},
    {"Label2", Kind::Label, "", 8, 45, 0, 0, "HSL:"},
    {"Label3", Kind::Label, "", 8, 73, 0, 0, "Decimal:"},
    {"Label4", Kind::Label, "", 8, 101, 0, 0, "Hex:"},
    {"Label5", Kind::Label, "", 8, 129, 0, 0, "Delphi:"},
    {"Label6", Kind::Label, "", 8, 157, 0, 0, "VB:"},
    {"Label7", Kind::Label, "", 8, 185, 0, 0, "C/C++:"},
    {"Label8", Kind::Label, "", 8, 213, 0, 0, "Html:"},
    {"Edit1", Kind::Edit, "", 54, 13, 162, 21, "#", 1, kReadOnly | kTabStop},
    {"Edit2", Kind::Edit, "", 54, 41, 162, 21, "#", 2, kReadOnly | kTabStop},
    {"Edit3", Kind::Edit, "", 54, 69, 162, 21, "#", 3, kReadOnly | kTabStop},
    {"Edit4", Kind::Edit, "", 54, 97, 162, 21, "#", 4, kReadOnly | kTabStop},
    {"Edit5", Kind::Edit, "", 54, 125, 162, 21, "#", 5, kReadOnly | kTabStop},
    {"Edit6", Kind::Edit, "", 54, 153, 162, 21, "#", 6, kReadOnly | kTabStop},
    {"Edit7", Kind::Edit, "", 54, 181, 162, 21, "#", 7, kReadOnly | kTabStop},
    {"Edit8", Kind::Edit, "", 54, 209, 162, 21, "#", 8, kReadOnly | kTabStop},
    {"Button1", Kind::Button, "", 221, 12, 55, 23, "Copy", 1},
    {"Button2", Kind::Button, "", 221, 40, 55, 23, "Copy", 2},
    {"Button3", Kind::Button, "", 221, 68, 55, 23, "Copy", 3},
    {"Button4", Kind::Button, "", 221, 96, 55, 23, "Copy", 4},
    {"Button5", Kind::Button, "", 221, 124, 55, 23, "Copy", 5},
    {"Button6", Kind::Button, "", 221, 152, 55, 23, "Copy", 6},
    {"Button7", Kind::Button, "", 221, 180, 55, 23, "Copy", 7},
    {"Button8", Kind::Button, "", 221, 208, 55, 23, "Copy", 8},
};
// clang-format on

} // namespace vtl::layout
