// Holds the Windows clipboard open, as a busy program would, until its standard input
// closes: the end-to-end tests start it, wait for "held", and close its input to let go.
#include <windows.h>

#include <cstdio>

int main() {
    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!owner || !OpenClipboard(owner)) {
        std::puts("failed");
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseClipboard();
    DestroyWindow(owner);
    return 0;
}
