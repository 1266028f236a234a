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

} // namespace

void RunEntrySequence() {
    // A later start ends here at once: nothing shown, the running instance left alone.
    RunAsSingleInstance(TBrunmark::GetMD5Hex(kInstanceText), kAppMutexName, &RunProgram);
}

} // namespace vtl
