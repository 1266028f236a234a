#include "ui/WideText.h"

#include "ui/Win32.h"

namespace vtl {

std::wstring Widen(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool NarrowExactly(std::wstring_view text, std::string& out) {
    // The way back tells best-fit look-alikes ("L" for "Ł") from the real letter, in every
    // code page, double-byte ones included.
    out = Narrow(text);
    return Widen(out) == text;
}

} // namespace vtl
