// The global shortcut (pickkey in vtl3.ini): a pick from anywhere, whichever program is in
// front, even with the window hidden in the tray or minimised.
#include "main/MainForm.h"
#include "settings/PickKey.h"
#include "settings/Settings.h"
#include "ui/Application.h"
#include "ui/Error.h"

namespace vtl {

void TfrmMain::RegisterPickHotKey() {
    TPickKey key = kDefaultPickKey;
    std::string unusable; // told as a taken one is, until the first pick
    try {
        key = StartupPickKey(ReadSetting(kPickKeyKey), &unusable);
    } catch (const Error&) {
        // The data folder failed at start and was told then: the default serves.
    }
    if (!unusable.empty()) StatusBar1->SetSimpleText(unusable);
    if (key.Off()) return;
    pickHotKey_ = std::make_unique<THotKey>(Handle(), kPickHotKeyId, key.modifiers, key.key);
    // Another program holds the keys (Windows does not say which): a box would stand in the
    // way of every start, so the status bar says it until the first pick.
    if (!pickHotKey_->Registered())
        StatusBar1->SetSimpleText("Shortcut " + PickKeyText(key) + " is taken: see ReadMe");
}

LRESULT TfrmMain::OnHotKey(WPARAM wp, LPARAM lp) {
    if (wp != kPickHotKeyId) return TForm::WndProc(WM_HOTKEY, wp, lp);
    if (!pickHotKey_ || !pickHotKey_->Pressed()) return 0;
    // Not while a dialog of ours or a menu is open, nor during a drag.
    if (!IsWindowEnabled(Handle()) || MenuOpen() || (FPicking && !keyboardPick_)) return 0;
    // Pressed again it ends the pick: Enter may not reach the program, when the window in
    // front of it belongs to a program running with higher rights.
    if (FPicking) {
        EndPick(false, PickEnd::Kept);
        return 0;
    }
    // What the user sees now: coming forward changes it (the other program's menu closes).
    std::unique_ptr<TScreenStill> still = TakeStill();
    // The shortcut gives the program the right to come to the front, so that the pick's keys
    // reach it.
    if (!Visible() || Application().Minimized())
        ShowMainWindow(true);
    else
        Application().BringToFront();
    StartKeyboardPick(std::move(still));
    return 0;
}

bool TfrmMain::MenuOpen() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

} // namespace vtl
