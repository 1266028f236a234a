// libFuzzer target for the zoom text of vtl3.ini. Run by hand: scripts/fuzz zoom [runs]
#include "color/Text.h"
#include "settings/SettingsRules.h"
#include <cstdlib>

// Any text starts the magnifier at a zoom it can draw, a stored zoom in range as it is; what is
// written reads back.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int start = vtl::StartupZoom(text);
    int zoom = 0;
    const bool whole = vtl::TryStrToInt(text, zoom);
    if (start != (whole && zoom >= vtl::kMinZoom && zoom <= vtl::kMaxZoom ? zoom : vtl::kMinZoom) ||
        (whole && vtl::ZoomFromText(vtl::ZoomText(zoom)) != zoom))
        std::abort();
    return 0;
}
