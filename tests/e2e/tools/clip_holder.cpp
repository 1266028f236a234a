// Holds the Windows clipboard open, as a busy program would, or with a path argument holds
// that file open without sharing, as a program that locks it would, until its standard input
// closes: the end-to-end tests start it, wait for "held", and close its input to let go.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HANDLE file = argc > 1 ? CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)
                           : nullptr;
    if (!owner || file == INVALID_HANDLE_VALUE || (!file && !OpenClipboard(owner))) {
        std::puts("failed");
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    if (file)
        CloseHandle(file);
    else
        CloseClipboard();
    DestroyWindow(owner);
    return 0;
}
