// The program's visibility: hiding to the tray icon on minimise, the icon's menu, showing and
// hiding from the icon, and stay on top kept while it is on.
#include "brunmark/BrunmarkClass.h"
#include "ui/FlagScope.h"
#include "main/MainForm.h"
#include "shell/AboutForm.h"
#include "ui/Application.h"

namespace vtl {

void TfrmMain::ShowMainWindow(bool show) {
    TApplication& app = Application();
    if (show) {
        app.SetTaskbarButton(true);
        app.Show();
        if (app.Minimized()) app.Restore();
        Show();
        app.BringToFront();
    } else {
        app.Hide();
        app.SetTaskbarButton(false);
        Hide();
    }
}

void TfrmMain::ToggleMainWindow() {
    // A minimised program (its icon came back after the minimise) is brought back, whatever
    // its visibility flag says.
    ShowMainWindow(!Visible() || Application().Minimized());
}

void TfrmMain::InstallTrayIcon(bool on) {
    if (on) {
        Application().OnMinimize = [this] { AppMinimize(); };
        if (FTray || TBrunmark::GetTaskbarProcessId() == 0) return;
        FTray = std::make_unique<TTrayIconMan>();
        FTray->AddIcon(Application().SmallIcon(), Application().Title(), mnuTray,
                       [this] { ToggleMainWindow(); });
    } else {
        Application().OnMinimize = nullptr;
        FTray.reset(); // removes the icon; the manager's teardown throws nothing
    }
}

void TfrmMain::EnableTrayMenu(bool on) {
    if (FTray) FTray->EnableMenu(on);
}

bool TfrmMain::CanHideToTray() const {
    // Never hide to an icon the shell does not show, nor while a modal dialog has switched
    // it off: the program would have no way back.
    return FTray && FTray->IconShown() && FTray->MenuEnabled();
}

LRESULT TfrmMain::OnWindowPosChanging(WPARAM wp, LPARAM lp) {
    // Through the move itself: a call to move the window from inside it would nest.
    auto& pos = *reinterpret_cast<WINDOWPOS*>(lp);
    if (FReady && FStayOnTop && !(pos.flags & SWP_NOZORDER)) pos.hwndInsertAfter = HWND_TOPMOST;
    return TForm::WndProc(WM_WINDOWPOSCHANGING, wp, lp);
}

void TfrmMain::AppMinimize() {
    // The minimised program hides to the tray at once, while still counted visible.
    TApplication& app = Application();
    if (!FReady || !Visible() || hidingToTray_ || !CanHideToTray()) return;
    FlagScope guard(hidingToTray_);
    SetForegroundWindow(FindWindowA("Shell_TrayWnd", ""));
    app.ProcessMessages();
    // A tray click among those messages may have brought the program back already.
    if (app.Minimized()) ShowMainWindow(false);
}

void TfrmMain::mnuTray_ShowClick() {
    ToggleMainWindow();
}

void TfrmMain::mnuTray_EmailClick() {
    TBrunmark::OpenContactMail();
}

void TfrmMain::mnuTray_WebsiteClick() {
    TBrunmark::OpenWebSite();
}

void TfrmMain::mnuTray_AboutClick() {
    TfrmAbout about;
    about.FTitle = "Vantrel";
    about.FVersion = "6.37";
    about.FYear = "2009";
    about.ShowModal();
}

void TfrmMain::mnuTray_ExitClick() {
    Close();
}

} // namespace vtl
