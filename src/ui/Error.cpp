#include "ui/Error.h"

#include "ui/WideText.h"
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

Error::Error(const std::wstring& text) : std::runtime_error(Narrow(text)), text_(text) {}

std::wstring Error::Text() const {
    return text_.empty() ? Widen(what()) : text_;
}

Win32Error::Win32Error(const std::string& call) : Win32Error(call, GetLastError()) {}

Win32Error::Win32Error(const std::string& call, unsigned long code)
    : Error(Describe(call, code)), code_(code) {}

EInOutError::EInOutError(const std::wstring& what, unsigned long code)
    : Error(what + L"\n" + SystemReason(code)), code_(code) {}

std::wstring SystemReason(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring s = n && text ? std::wstring(text, n) : L"";
    if (text) LocalFree(text);
    while (!s.empty() &&
           (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ' || s.back() == L'.'))
        s.pop_back();
    return (s.empty() ? L"Error" : s) + L" (code " + std::to_wstring(code) + L")";
}

void CheckWin32(bool ok, const char* call) {
    if (!ok) throw Win32Error(call);
}

} // namespace vtl
