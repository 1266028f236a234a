#include "settings/Settings.h"

#include "brunmark/BrunmarkClass.h"
#include "settings/PickKey.h"
#include "settings/SettingsRules.h"
#include "ui/WideText.h"

namespace vtl {

namespace {
std::string ReadSetting(const char* key) {
    return TBrunmark::ReadIniString(SettingsFileName(), kSettingsSection, key);
}

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

bool ReadStayOnTopSetting() {
    return StayOnTopFromText(ReadSetting(kOnTopKey));
}

std::string ReadZoomSettingText() {
    return ReadSetting(kZoomKey);
}

std::string ReadAverageSettingText() {
    return ReadSetting(kAverageKey);
}

void WriteAverageSetting(int size) {
    WriteSetting(kAverageKey, std::to_string(size));
}

std::string ReadPickKeySettingText() {
    return ReadSetting(kPickKeyKey);
}

void WriteZoomSetting(int zoom) {
    WriteSetting(kZoomKey, ZoomText(zoom));
}

void StoreStayOnTopSetting(bool on) {
    if (on != ReadStayOnTopSetting()) WriteSetting(kOnTopKey, StayOnTopText(on));
}

} // namespace vtl
