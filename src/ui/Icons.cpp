#include "ui/Icons.h"

#include "ui/Dpi.h"
#include "ui/Error.h"

#include <map>

namespace vtl {

HICON ProgramIcon(bool small, int dpi) {
    static std::map<int, IconHandle> icons;
    const int size = ScaleBy(small ? 16 : 32, dpi);
    IconHandle& icon = icons[size];
    if (!icon)
        icon.Reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                                 size, size, LR_DEFAULTCOLOR)));
    return icon.Get();
}

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
