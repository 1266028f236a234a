#include "app/EntrySequence.h"

#include "app/BrunmarkClass.h"
#include "app/SingleInstance.h"
#include "main/MainForm.h"
#include "ui/Application.h"

#include <memory>

namespace vtl {

namespace {

constexpr const char* kInstanceText = "Vantrel";
constexpr const char* kAppMutexName = "Brunmark-Software-Vantrel-AppMutex";

// Replaces the application window's whole extended style; WM_NCCREATE (no parameters) then
// has the window take the new style on, so that its taskbar button goes or comes.
void SetAppWindowExStyle(LONG exStyle) {
    HWND app = Application().Handle();
    SetWindowLongA(app, GWL_EXSTYLE, exStyle);
    SendMessageA(app, WM_NCCREATE, 0, 0);
}

void RunProgram() {
    TApplication& app = Application();
    try {
        app.Initialize();
        // No taskbar button while the main window is built; its creation gives it back.
        SetAppWindowExStyle(WS_EX_TOOLWINDOW);
        auto* form = app.CreateForm(std::make_unique<TfrmMain>());
        form->Show();
        app.Run();
    } catch (...) {
        app.HandleCurrentException();
    }
}

} // namespace

void RunEntrySequence() {
    RunAsSingleInstance(TBrunmark::GetMD5Hex(kInstanceText), kAppMutexName, &RunProgram);
}

} // namespace vtl
