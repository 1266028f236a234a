// Calls for scripts/check-imports to judge: two that Windows 2000 lacks, which it must name
// (the headers declare the second whatever the version), and the C runtime's lock, which no
// header declares though every Windows has it.
#define _WIN32_WINNT 0x0602
#include <windows.h>
extern "C" void __cdecl _lock(int), _unlock(int);
int main() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    _lock(0);
    _unlock(0);
    return int(GetTickCount64() & now.dwLowDateTime & 1);
}
