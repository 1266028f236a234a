// Program entry: the main window and the message loop.
#include "color/FpuModel.h"
#include "main/MainForm.h"
#include "ui/Application.h"

#include <exception>
#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The HSL conversions are defined under x87 extended precision, round to nearest.
    vtl::EnsureFpuModel();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    vtl::TApplication& app = vtl::Application();
    try {
        app.Initialize();
        auto* form = app.CreateForm(std::make_unique<vtl::TfrmMain>());
        form->Show();
        app.Run();
    } catch (...) {
        app.HandleCurrentException();
    }
    return 0;
}
