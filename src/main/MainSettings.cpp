// The main window's two settings, stay on top and zoom; the settings layer keeps the file.
#include "main/MainForm.h"
#include "settings/Settings.h"
#include "settings/SettingsRules.h"
#include "ui/Application.h"
#include "ui/Error.h"

namespace vtl {

void TfrmMain::SetStayOnTop(bool on) {
    FStayOnTop = on;
    SetTopmost(on);
    StoreSetting([on] { StoreStayOnTopSetting(on); });
}

void TfrmMain::StoreSetting(const std::function<void()>& store) {
    try {
        store();
        settingsFailureTold_ = false; // stored again: a later failure is news
    } catch (const Error& e) {
        // Told once: the change has taken effect on the screen, and a message on every later
        // change would only get in the way. Each change still tries, in case the cause went.
        if (settingsFailureTold_) return;
        settingsFailureTold_ = true;
        Application().ShowException(Error(e.Text() +
                                          L".\n\nChanges to the settings are not saved until "
                                          L"the file can be written again"));
    }
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
        onTop = ReadStayOnTopSetting();
        zoom = StartupZoom(ReadSetting(kZoomKey));
        average_ = StartupAverage(ReadSetting(kAverageKey));
    } catch (const Error& e) {
        settingsFailureTold_ = true;
        Application().ShowException(Error(e.Text() +
                                          L".\n\nVantrel starts with its default settings and "
                                          L"tries again to save each change of them"));
    }

    FStayOnTop = false;
    if (onTop) chkStayOnTop->SetChecked(true); // runs chkStayOnTopClick

    cboZoom->Clear();
    for (int z = kMinZoom; z <= kMaxZoom; ++z)
        cboZoom->AddItem(ZoomItemText(z));
    cboZoom->SetItemIndex(ZoomToIndex(zoom));
}

} // namespace vtl
