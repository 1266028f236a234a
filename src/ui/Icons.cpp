#include "ui/Icons.h"

#include "ui/Error.h"

namespace vtl {

IconHandle CursorFromIcon(HICON icon, int hotX, int hotY) {
    ICONINFO info{};
    CheckWin32(GetIconInfo(icon, &info) != 0, "GetIconInfo");
    // GetIconInfo hands us copies of both bitmaps.
    BitmapHandle mask(info.hbmMask), color(info.hbmColor);
    info.fIcon = FALSE;
    info.xHotspot = DWORD(hotX);
    info.yHotspot = DWORD(hotY);
    IconHandle cursor(CreateIconIndirect(&info));
    CheckWin32(bool(cursor), "CreateIconIndirect");
    return cursor;
}

} // namespace vtl
