#include "ui/Error.h"

#include "ui/Win32.h"

#include <cstdio>

namespace vtl {

namespace {
std::string Describe(const std::string& call, unsigned long code) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " failed (system error %lu)", code);
    return call + buf;
}
} // namespace

Win32Error::Win32Error(const std::string& call) : Win32Error(call, GetLastError()) {}

Win32Error::Win32Error(const std::string& call, unsigned long code)
    : Error(Describe(call, code)), code_(code) {}

EInOutError::EInOutError(const std::string& what, unsigned long code)
    : Error(what + " (system error " + std::to_string(code) + ")"), code_(code) {}

void CheckWin32(bool ok, const char* call) {
    if (!ok) throw Win32Error(call);
}

} // namespace vtl
