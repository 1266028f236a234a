// Holds the Windows clipboard open, as a busy program would, or with a path argument holds
// that file open without sharing, as a program that locks it would, until its standard input
// closes: the end-to-end tests start it, wait for "held", and close its input to let go.
// "append LINE" after the path holds the file open for writing instead (sharing reads) and
// appends the line before it lets go; "rewrite LINE" empties the file at once and writes it
// again with the line added, as an editor saves in place.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const bool writes = argc > 3;
    HANDLE file = argc > 1 ? CreateFileA(argv[1], GENERIC_READ | (writes ? GENERIC_WRITE : 0),
                                         writes ? FILE_SHARE_READ : 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)
                           : nullptr;
    if (!owner || file == INVALID_HANDLE_VALUE || (!file && !OpenClipboard(owner))) {
        std::puts("failed");
        return 1;
    }
    std::string kept;
    if (writes && std::strcmp(argv[2], "rewrite") == 0) {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0)
            kept.append(buf, got);
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    if (writes) {
        kept += std::string(argv[3]) + "\r\n";
        DWORD written = 0;
        SetFilePointer(file, 0, nullptr, FILE_END);
        WriteFile(file, kept.data(), DWORD(kept.size()), &written, nullptr);
    }
    if (file)
        CloseHandle(file);
    else
        CloseClipboard();
    DestroyWindow(owner);
    return 0;
}
