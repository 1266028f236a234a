#include "app/EntrySequence.h"

#include "app/brunmark/BrunmarkClass.h"
#include "app/SingleInstance.h"
#include "main/MainForm.h"
#include "ui/Application.h"

#include <memory>

namespace vtl {

namespace {

constexpr const char* kInstanceText = "Vantrel";
constexpr const char* kAppMutexName = "Brunmark-Software-Vantrel-AppMutex";

void RunProgram() {
    TApplication& app = Application();
    try {
        app.Initialize();
        // No taskbar button while the main window is built; its creation gives it back.
        app.SetTaskbarButton(false);
        auto* form = app.CreateForm(std::make_unique<TfrmMain>());
        form->Show();
        app.Run();
    } catch (...) {
        app.HandleCurrentException();
    }
}

// A later start shows the running instance instead: a user who starts the program again
// wants to see it. The running one may still be starting (repeated double clicks, a login
// script), so its window is waited for a while.
void BringRunningInstanceForward() {
    const DWORD start = GetTickCount();
    do {
        if (const HWND running = TfrmMain::FindRunning()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(running, &pid);
            // This start came from the user, so it may hand the foreground on.
            AllowSetForegroundWindow(pid);
            PostMessageA(running, TfrmMain::BringForwardMessage(), 0, 0);
            return;
        }
        Sleep(100);
    } while (GetTickCount() - start < 10000);
}

} // namespace

void RunEntrySequence() {
    if (!RunAsSingleInstance(TBrunmark::GetMD5Hex(kInstanceText), kAppMutexName, &RunProgram))
        BringRunningInstanceForward();
}

} // namespace vtl
