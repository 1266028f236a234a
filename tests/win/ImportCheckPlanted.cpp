// A call that Windows 2000 lacks, for scripts/check-imports to find and name.
#define _WIN32_WINNT 0x0600
#include <windows.h>
int main() {
    return int(GetTickCount64() & 1);
}
