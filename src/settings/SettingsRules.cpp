#include "settings/SettingsRules.h"

#include "color/Text.h"

namespace vtl {

namespace {
bool ZoomInRange(int zoom) {
    return zoom >= kMinZoom && zoom <= kMaxZoom;
}
} // namespace

bool StayOnTopFromText(const std::string& text) {
    return text == "1";
}

const char* StayOnTopText(bool on) {
    return on ? "1" : "0";
}

std::string ZoomText(int zoom) {
    return std::to_string(zoom);
}

int StartupZoom(const std::string& text) {
    int zoom = kMinZoom;
    // A missing, garbled or out-of-range zoom is a hand-edited file: start at 1, keep the file.
    return TryStrToInt(text, zoom) && ZoomInRange(zoom) ? zoom : kMinZoom;
}

bool IsAverageSize(int size) {
    return size >= 1 && size <= 9 && size % 2 == 1;
}

int StartupAverage(const std::string& text) {
    int size = 1;
    return TryStrToInt(text, size) && IsAverageSize(size) ? size : 1;
}

std::string ZoomItemText(int zoom) {
    return "Zoom " + std::to_string(100 * zoom) + "%";
}

int ZoomToIndex(int zoom) {
    return (ZoomInRange(zoom) ? zoom : kMinZoom) - kMinZoom;
}

int IndexToZoom(int index) {
    const int zoom = index + kMinZoom;
    return ZoomInRange(zoom) ? zoom : kMinZoom;
}

} // namespace vtl
