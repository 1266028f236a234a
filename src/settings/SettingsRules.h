// What the two settings mean, apart from where they are stored: the file's section, keys and
// defaults, what counts as "stay on top", the zoom's text and range, and the zoom list's
// items. Needs no Windows headers, so it builds and is tested natively as well.
#pragma once

#include <string>

namespace vtl {

constexpr const char* kSettingsFileName = "vtl3.ini";
constexpr const char* kSettingsSection = "VTL";
constexpr const char* kOnTopKey = "ontop";
constexpr const char* kZoomKey = "zoom";
constexpr const char* kAverageKey = "average";

// A missing settings file is created with these values, in this order.
struct TSettingDefault {
    const char* key;
    const char* value;
};
constexpr TSettingDefault kSettingDefaults[] = {{kOnTopKey, "1"}, {kZoomKey, "1"}};

// Stay on top is on exactly when the stored text is "1"; anything else, "" included, is off.
bool StayOnTopFromText(const std::string& text);
const char* StayOnTopText(bool on);

// The zoom factors the magnifier can draw with.
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 20;

std::string ZoomText(int zoom);
// The zoom a stored text starts the magnifier at: the text's value when it is a whole number
// in 1..20, otherwise 1.
int StartupZoom(const std::string& text);

// The side of the square of screen pixels whose mean is the picked colour: 1 (one pixel), 3, 5,
// 7 or 9. The stored text starts a run at its value when it is one of them, otherwise at 1.
bool IsAverageSize(int size);
int StartupAverage(const std::string& text);

// The zoom list holds one item per factor, "Zoom 100%" to "Zoom 2000%", in order.
std::string ZoomItemText(int zoom);
int ZoomToIndex(int zoom);
// A list without a selection (index -1) or any index out of range draws at zoom 1.
int IndexToZoom(int index);

} // namespace vtl
