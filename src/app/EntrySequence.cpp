#include "app/EntrySequence.h"

#include "brunmark/BrunmarkClass.h"
#include "app/SingleInstance.h"
#include "main/MainForm.h"
#include "ui/Application.h"

#include <memory>

namespace vtl {

namespace {

constexpr const char* kInstanceText = "Vantrel";
constexpr const char* kAppMutexName = "Brunmark-Software-Vantrel-AppMutex";

void RunProgram(const std::string& instanceName) {
    TApplication& app = Application();
    try {
        app.Initialize();
        // No taskbar button while the main window is built; its creation gives it back.
        app.SetTaskbarButton(false);
        auto* form = app.CreateForm(std::make_unique<TfrmMain>());
        form->Show();
        app.Run([&] { InstanceEnding(instanceName); });
    } catch (...) {
        app.HandleCurrentException();
    }
}

} // namespace

void RunEntrySequence() {
    // A later start ends here at once: nothing shown, the running instance left alone.
    const std::string name = TBrunmark::GetMD5Hex(kInstanceText);
    RunAsSingleInstance(name, kAppMutexName, [&] { RunProgram(name); });
}

} // namespace vtl
