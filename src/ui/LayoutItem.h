// A window layout as data: one row per control, created in table order (a parent comes
// before its children), like a form designer's file. Free of Win32 so tests that drive
// the program from outside can find controls by name, and the artwork generator can scale.
#pragma once

#include <cstring>

namespace vtl::layout {

// Lengths are 96-dpi pixels. Scaled takes one to a DPI, rounded to the nearest pixel, halves
// away from zero as MulDiv rounds: the one rounding of the program and the artwork generator.
inline constexpr int kBaseDpi = 96;
constexpr int Scaled(int value, int dpi) {
    const long long v = static_cast<long long>(value) * dpi;
    return static_cast<int>(v >= 0 ? (v + kBaseDpi / 2) / kBaseDpi
                                   : -((-v + kBaseDpi / 2) / kBaseDpi));
}

enum class Kind {
    Panel,
    Image,
    Shape,
    Bevel,
    Label,
    Button,
    CheckBox,
    ComboBox,
    Edit,
    SpinEdit,
    ListView,
    StatusBar,
    StaticText // a label with a window of its own, readable from other programs
};

enum Flags : unsigned {
    kNone = 0,
    kLowered = 1 << 0,  // panel with a lowered outer bevel
    kReadOnly = 1 << 1, // edit field the user cannot type into
    kHidden = 1 << 2,   // created invisible
    kWhite = 1 << 3,    // white background (edits, spin boxes)
    kStretch = 1 << 4,  // image stretched to its bounds
    kTabStop = 1 << 5,  // reached with the Tab key, in table order
};

struct Item {
    const char* name;
    Kind kind;
    const char* parent; // "" for the window itself
    int left, top, width, height;
    const char* caption = "";
    int tag = 0;
    unsigned flags = kNone;
    int minValue = 0, maxValue = 0; // spin boxes
    const char* picture = "";       // "picker", "zoom" or "placeholder" for images
};

// Windowed controls get the control id kFirstControlId + their row in the table.
constexpr int kFirstControlId = 100;

template <size_t N> constexpr int IndexOf(const Item (&items)[N], const char* name) {
    for (size_t i = 0; i < N; ++i)
        if (std::strcmp(items[i].name, name) == 0) return int(i);
    return -1;
}

template <size_t N> constexpr int ControlIdOf(const Item (&items)[N], const char* name) {
    const int i = IndexOf(items, name);
    return i < 0 ? -1 : kFirstControlId + i;
}

} // namespace vtl::layout
