// The user's own format (copyonpick in vtl3.ini), copied when a pick ends keeping its colour
// and on Ctrl+8.
#include "main/MainForm.h"
#include "settings/CopyTemplate.h"
#include "settings/Settings.h"
#include "ui/Clipboard.h"
#include "ui/Error.h"

namespace vtl {

namespace {

// The template as the file holds it now, so that an edit counts from the next pick on. Empty
// when there is none; a template it cannot take throws ECopyTemplateError.
TCopyTemplate ReadCopyTemplate() {
    std::string text;
    try {
        text = ReadSetting(kCopyOnPickKey);
    } catch (const Error&) {
        // The data folder failed at start and was told then: nothing to copy.
    }
    return TCopyTemplate(text);
}

} // namespace

void TfrmMain::TellCopyTemplate() {
    try {
        ReadCopyTemplate();
    } catch (const ECopyTemplateError& e) {
        // Told once, like a taken shortcut: a box would stand in the way of every start.
        StatusBar1->SetSimpleText(e.what());
    }
}

void TfrmMain::CopyTemplateText(bool tellRefusal) {
    std::string notice;
    try {
        const TCopyTemplate copy = ReadCopyTemplate();
        if (copy.Empty()) return;
        const std::string text =
            copy.Text({CurrentColor(), spiH->Value(), spiS->Value(), spiL->Value()});
        ClipboardSetText(text);
        notice = "Copied: " + text;
    } catch (const ECopyTemplateError& e) {
        if (!tellRefusal) return; // said at start
        notice = e.what();
    } catch (const Error& e) {
        // The clipboard is held by another program: at the end of a pick a box would take
        // the keys from the user, so the status bar says it.
        notice = std::string("Not copied: ") + e.what();
    }
    StatusBar1->SetSimpleText(notice);
    // The notice stays until the next pick, or until the pointer moves over the window,
    // which shows the hint again. The move the system makes up after a release or a change
    // of window (same place) does not count.
    GetCursorPos(&noticeAt_);
    noticeShown_.emplace([this](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) return false;
        if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
        if (msg.pt.x == noticeAt_.x && msg.pt.y == noticeAt_.y) return false;
        if (!FPicking) ShowStatus(false);
        noticeShown_.reset();
        return false;
    });
}

} // namespace vtl
