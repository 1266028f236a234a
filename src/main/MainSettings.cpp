// The two settings, stay on top and zoom, in vtl3.ini of the data folder. Nothing is
// cached: every access finds the folder and the file again.
#include "app/BrunmarkClass.h"
#include "color/Text.h"
#include "main/MainForm.h"
#include "settings/ZoomSetting.h"
#include "ui/Application.h"
#include "ui/Error.h"

namespace vtl {

namespace {
constexpr const char* kSection = "VTL";
constexpr const char* kOnTopKey = "ontop";
constexpr const char* kZoomKey = "zoom";

bool FileExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

std::string TfrmMain::GetSettingsFileName() {
    const std::string path = TBrunmark::GetDataFolder() + "\\" + "vtl3.ini";
    if (!FileExists(path)) {
        TBrunmark::WriteIniString(path, kSection, kOnTopKey, "1");
        TBrunmark::WriteIniString(path, kSection, kZoomKey, "1");
    }
    return path;
}

bool TfrmMain::ReadStayOnTop() {
    return TBrunmark::ReadIniString(GetSettingsFileName(), kSection, kOnTopKey) == "1";
}

int TfrmMain::ReadZoom() {
    return StrToInt(TBrunmark::ReadIniString(GetSettingsFileName(), kSection, kZoomKey));
}

void TfrmMain::WriteZoom(int zoom) {
    TBrunmark::WriteIniString(GetSettingsFileName(), kSection, kZoomKey, std::to_string(zoom));
}

void TfrmMain::SetStayOnTop(bool on) {
    FStayOnTop = on;
    Application().SetTopmost(on);
    if (settingsUnavailable_) return; // start-up already said the settings cannot be stored
    if (on != ReadStayOnTop())
        TBrunmark::WriteIniString(GetSettingsFileName(), kSection, kOnTopKey, on ? "1" : "0");
}

void TfrmMain::chkStayOnTopClick() {
    SetStayOnTop(chkStayOnTop->Checked());
}

void TfrmMain::ReadStartupSettings() {
    // A folder that cannot be made or a file that cannot be written must not stop the
    // program: it starts on the defaults (stay on top, zoom 1) and says once which path
    // failed.
    bool onTop = true;
    int zoom = kMinZoom;
    try {
        onTop = ReadStayOnTop();
        try {
            zoom = ReadZoom();
        } catch (const EConvertError&) {
            // A missing or garbled zoom starts at 1; the file is left as it is.
        }
    } catch (const Error& e) {
        settingsUnavailable_ = true;
        Application().ShowException(Error(std::string(e.what()) +
                                          ".\n\nVantrel starts with its default settings, "
                                          "and changes to them cannot be saved"));
    }
    if (zoom < kMinZoom || zoom > kMaxZoom) zoom = kMinZoom;

    FStayOnTop = false;
    if (onTop) chkStayOnTop->SetChecked(true); // runs chkStayOnTopClick

    cboZoom->Clear();
    for (int i = 1; i <= kMaxZoom; ++i)
        cboZoom->AddItem("Zoom " + std::to_string(100 * i) + "%");
    cboZoom->SetItemIndex(zoom - 1);
}

} // namespace vtl
