// The program's own pictures (skin bitmaps, the magnifier's placeholder, the cursors' pictures),
// packed among its resources by the artwork generator and unpacked only when a window draws
// them.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Handles.h"

#include <string>

namespace vtl {

// Fails with an Error naming the picture when the program holds none of that name.
void RequireArt(const std::string& name);
// The picture unpacked into a bitmap; an Error naming it when it is missing or damaged.
TBitmap LoadArt(const std::string& name);
// A packed icon image made an icon of size x size pixels (stretched only when its own size is
// another); an Error naming it when it is missing or damaged.
IconHandle LoadArtIcon(const std::string& name, int size);

} // namespace vtl
