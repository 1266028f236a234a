#include "ui/Fonts.h"

#include "ui/Handles.h"

#include <map>

namespace vtl {

HFONT CreateUiFont(bool bold, int height, bool underline, int dpi) {
    return CreateFontA(-(height * dpi / kBaseDpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                       underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

HFONT DefaultFont(int dpi) {
    // A handful at most (one per DPI the windows were shown at), so a change of DPI and back
    // creates nothing new.
    static std::map<int, FontHandle> fonts;
    FontHandle& font = fonts[dpi];
    if (!font) font.Reset(CreateUiFont(false, 11, false, dpi));
    return font.Get();
}

} // namespace vtl
