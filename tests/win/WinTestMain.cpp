#include "WinTestSupport.h"

#include "color/FpuModel.h"

#include <gtest/gtest.h>

namespace vtl::test {

std::vector<std::string>& ReportedErrors() {
    static std::vector<std::string> errors;
    return errors;
}

void PumpPending() {
    Application().ProcessMessages();
    Application().Idle();
}

void PumpFor(unsigned ms) {
    const DWORD end = GetTickCount() + ms;
    while (int(end - GetTickCount()) > 0) {
        Application().ProcessMessages();
        Application().Idle();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Application().ProcessMessages();
}

void ClickAt(HWND wnd, int x, int y, UINT down, UINT up) {
    const WPARAM held = down == WM_LBUTTONDOWN   ? MK_LBUTTON
                        : down == WM_RBUTTONDOWN ? MK_RBUTTON
                                                 : MK_MBUTTON;
    SendMessageA(wnd, down, held, MAKELPARAM(x, y));
    SendMessageA(wnd, up, 0, MAKELPARAM(x, y));
}

} // namespace vtl::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vtl::EnsureFpuModel();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    vtl::Application().Initialize();
    vtl::Application().OnException = [](const std::string& message) {
        vtl::test::ReportedErrors().push_back(message);
    };
    return RUN_ALL_TESTS();
}
