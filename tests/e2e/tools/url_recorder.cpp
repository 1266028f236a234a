// Stands in for the mail program and the browser in the test prefix (a GUI program: no console
// window opens over the tray while it runs).
//   vtlurlrecorder.exe register <log>   makes itself the handler of mailto, http and https
//   vtlurlrecorder.exe <log> <url>      appends the url it was given as one line to <log>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool RegisterFor(const char* scheme, const std::string& command) {
    const std::string key = std::string(scheme) + "\\shell\\open\\command";
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok =
        RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       DWORD(command.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(h);
    // A DDE conversation the prefix may declare for the scheme would bypass the command.
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(scheme) + "\\shell\\open\\ddeexec").c_str());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "register") == 0) {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const std::string command = std::string("\"") + self + "\" \"" + argv[2] + "\" \"%1\"";
        for (const char* scheme : {"mailto", "http", "https"})
            if (!RegisterFor(scheme, command)) {
                std::puts("failed");
                return 1;
            }
        std::puts("registered");
        return 0;
    }
    if (argc != 3) return 2;
    FILE* log = std::fopen(argv[1], "ab");
    if (!log) return 1;
    std::fprintf(log, "%s\n", argv[2]);
    std::fclose(log);
    return 0;
}
