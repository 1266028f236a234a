#include "settings/Settings.h"

#include "brunmark/BrunmarkClass.h"
#include "settings/CopyTemplate.h"
#include "settings/PickKey.h"
#include "settings/SettingsRules.h"
#include "ui/WideText.h"

namespace vtl {

namespace {
void WriteSetting(const char* key, const std::string& value) {
    TBrunmark::WriteIniString(SettingsFileName(), kSettingsSection, key, value);
}
} // namespace

std::wstring SettingsFileName() {
    const std::wstring path = TBrunmark::GetDataFolder() + L"\\" + Widen(kSettingsFileName);
    if (!FileExists(path))
        for (const TSettingDefault& d : kSettingDefaults)
            TBrunmark::WriteIniString(path, kSettingsSection, d.key, d.value);
    return path;
}

std::string ReadSetting(const char* key) {
    return TBrunmark::ReadIniString(SettingsFileName(), kSettingsSection, key);
}

bool ReadStayOnTopSetting() {
    return StayOnTopFromText(ReadSetting(kOnTopKey));
}

void WriteAverageSetting(int size) {
    WriteSetting(kAverageKey, std::to_string(size));
}

void WriteZoomSetting(int zoom) {
    WriteSetting(kZoomKey, ZoomText(zoom));
}

void StoreStayOnTopSetting(bool on) {
    if (on != ReadStayOnTopSetting()) WriteSetting(kOnTopKey, StayOnTopText(on));
}

} // namespace vtl
