// The user's colours as our controls paint with them. A control keeps a colour as given: a
// plain RGB value, a system colour, or a design colour that gives way to a system colour in
// High Contrast mode. It is resolved when the control paints, so a change of the user's
// colours reaches every control at its next paint.
#pragma once

#include "color/Contrast.h"
#include "ui/Handles.h"

namespace vtl {

// The system colour `index` (COLOR_BTNFACE, ...), whatever the mode.
constexpr COLORREF SystemColor(int index) {
    return 0x80000000u | (COLORREF(index) << 24);
}
// `rgb` as the design gives it; in High Contrast mode the system colour `index`, since there
// the user's colours take the place of every colour a program chose.
constexpr COLORREF DesignColor(COLORREF rgb, int index) {
    return 0x40000000u | (COLORREF(index) << 24) | (rgb & 0xFFFFFF);
}
// The white fields with black text of our windows.
constexpr COLORREF kFieldColor = DesignColor(RGB(255, 255, 255), COLOR_WINDOW);
constexpr COLORREF kFieldTextColor = DesignColor(RGB(0, 0, 0), COLOR_WINDOWTEXT);

// The RGB value to paint with now.
COLORREF ResolveColor(COLORREF color);
bool HighContrast();

struct TColorScheme {
    bool highContrast = false;
    COLORREF colors[COLOR_MENUBAR + 1] = {};
    static TColorScheme FromSystem();
};
// Reads the scheme from the system again, after the user changed colours or High Contrast
// mode.
void UpdateColorScheme();
// Counts the changes of the scheme, so that each window can tell whether it has seen the last.
unsigned ColorSchemeVersion();
// Puts a scheme in place of the system's until UseSystemColorScheme: for a mode the system
// cannot report (Wine never reports High Contrast mode).
void SetColorScheme(const TColorScheme& scheme);
void UseSystemColorScheme();

// A solid brush of a colour that may change, made again only when it does.
class TColorBrush {
  public:
    HBRUSH Get(COLORREF color);

  private:
    BrushHandle brush_;
    COLORREF color_ = CLR_INVALID;
};

// Paints the opaque pixels of an icon in one colour, at any size; the rest stays as it is.
void DrawIconInColor(HDC dc, HICON icon, int width, int height, COLORREF color);

} // namespace vtl
