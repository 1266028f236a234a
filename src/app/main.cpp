// Program entry: the runtime start, then the entry sequence. Every path ends with exit code 0.
#include "app/EntrySequence.h"
#include "app/Startup.h"
#include "color/FpuModel.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The HSL conversions are defined under x87 extended precision, round to nearest.
    vtl::EnsureFpuModel();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    try {
        vtl::TRuntimeStart start;
        vtl::RunEntrySequence();
    } catch (...) {
        vtl::Application().HandleCurrentException();
    }
    return 0;
}
