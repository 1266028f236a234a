// libFuzzer target for the zoom text of vtl3.ini. Run by hand: scripts/fuzz zoom [runs]
#include "color/Text.h"
#include "settings/SettingsRules.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Any text starts the magnifier at a zoom it can draw, a stored zoom in range as it is;
    // what is written reads back.
    const int start = vtl::StartupZoom(text);
    int zoom = 0;
    const bool whole = vtl::TryStrToInt(text, zoom);
    const bool ok = start >= vtl::kMinZoom && start <= vtl::kMaxZoom &&
                    start == (whole && zoom >= 1 && zoom <= 20 ? zoom : 1) &&
                    (!whole || vtl::ZoomFromText(vtl::ZoomText(zoom)) == zoom);
    if (!ok) std::abort();
    return 0;
}
