// The main window's shortcuts, seen before the focused control gets the keys: every command
// of the window can be reached without the mouse.
#include "main/MainForm.h"

namespace vtl {

namespace {

bool Down(int key) {
    return GetKeyState(key) < 0;
}

} // namespace

bool TfrmMain::FormShortCut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    // A held key repeats its key-down, marked as down already (bit 30): a shortcut acts once per
    // press and its repeats are swallowed, also those its own work lets run; other keys repeat.
    if ((msg.lParam & (1 << 30)) && msg.wParam == heldShortCut_) return true;
    heldShortCut_ = msg.wParam;
    const bool taken = RunShortCut(msg);
    heldShortCut_ = taken ? msg.wParam : 0;
    return taken;
}

bool TfrmMain::RunShortCut(const MSG& msg) {
    // Only while the user works in this window: a dialog of ours is active while it is open.
    if (GetActiveWindow() != Handle() || !IsWindowEnabled(Handle())) return false;
    const WPARAM key = msg.wParam;
    const bool ctrl = Down(VK_CONTROL), shift = Down(VK_SHIFT), alt = Down(VK_MENU);
    if (ctrl && !shift && !alt) {
        if (key == 'P') {
            if (!FPicking) StartKeyboardPick(TakeStill());
            return true;
        }
        if (key >= '1' && key <= '7') {
            CopyNotationAt(int(key - '0'));
            return true;
        }
        if (key == '8') {
            CopyTemplateText(true);
            return true;
        }
        if (key == 'S') {
            Save1Click();
            return true;
        }
    }
    // The list's menu, as its right click opens it; a pick keeps the keys meanwhile.
    const bool menuKey = (key == VK_APPS && !shift) || (key == VK_F10 && shift);
    if (menuKey && !ctrl && !alt && !FPicking && GetFocus() == ListView1->Handle()) {
        const POINT at = ListView1->MenuPoint();
        PopupListMenu(ListView1->SelectedIndex() >= 0, &at);
        return true;
    }
    return false;
}

void TfrmMain::CopyNotationAt(int position) {
    TButton* const copies[] = {btnRGBCopy,    btnDecimalCopy, btnHexCopy,
                               btnDelphiCopy, btnVBCopy,      btnCCopy};
    if (position >= 1 && position <= 6)
        CopyColor(*copies[position - 1]);
    else
        Copy1Click(); // Html's Copy is in the "Menu" button's menu
}

} // namespace vtl
