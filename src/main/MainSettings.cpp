// The main window's two settings, stay on top and zoom; the settings layer keeps the file.
#include "main/MainForm.h"
#include "settings/Settings.h"
#include "settings/SettingsRules.h"
#include "ui/Application.h"
#include "ui/Error.h"

namespace vtl {

std::string TfrmMain::GetSettingsFileName() {
    return SettingsFileName();
}

bool TfrmMain::ReadStayOnTop() {
    return ReadStayOnTopSetting();
}

int TfrmMain::ReadZoom() {
    return ReadZoomSetting();
}

void TfrmMain::WriteZoom(int zoom) {
    WriteZoomSetting(zoom);
}

void TfrmMain::SetStayOnTop(bool on) {
    FStayOnTop = on;
    SetTopmost(on);
    if (settingsUnavailable_) return; // start-up already said the settings cannot be stored
    StoreStayOnTopSetting(on);
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
        zoom = StartupZoom(ReadZoomSettingText());
    } catch (const Error& e) {
        settingsUnavailable_ = true;
        Application().ShowException(Error(std::string(e.what()) +
                                          ".\n\nVantrel starts with its default settings, "
                                          "and changes to them cannot be saved"));
    }

    FStayOnTop = false;
    if (onTop) chkStayOnTop->SetChecked(true); // runs chkStayOnTopClick

    cboZoom->Clear();
    for (int z = kMinZoom; z <= kMaxZoom; ++z)
        cboZoom->AddItem(ZoomItemText(z));
    cboZoom->SetItemIndex(ZoomToIndex(zoom));
}

} // namespace vtl
