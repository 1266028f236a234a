#include "support/probe_reply.hpp"

#include <charconv>
#include <cstdio>
#include <vector>

#include "probe/probe_protocol.hpp"
#include "support/error.hpp"

namespace vtl::e2e {
namespace {

std::vector<std::string_view> splitFields(std::string_view line, std::size_t maxFields) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (fields.size() + 1 < maxFields) {
        std::size_t end = line.find(' ', pos);
        if (end == std::string_view::npos) break;
        fields.push_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    fields.push_back(line.substr(pos));
    return fields;
}

std::uint64_t parseDigits(std::string_view digits, int base, std::string_view whole) {
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        throw Error("bad number in probe answer: '" + std::string(whole) + "'");
    }
    return value;
}

} // namespace

std::string formatHwnd(Hwnd hwnd) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%x", static_cast<unsigned>(hwnd));
    return buf;
}

Hwnd parseHwnd(std::string_view text) {
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) digits.remove_prefix(2);
    return static_cast<Hwnd>(parseDigits(digits, 16, text));
}

std::int64_t parseNumber(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (digits.starts_with("-")) {
        negative = true;
        digits.remove_prefix(1);
    }
    std::uint64_t value = 0;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        value = parseDigits(digits.substr(2), 16, text);
    } else {
        value = parseDigits(digits, 10, text);
    }
    auto signedValue = static_cast<std::int64_t>(value);
    return negative ? -signedValue : signedValue;
}

Rect parseRect(std::string_view text) {
    auto f = splitFields(text, 5);
    if (f.size() != 4) throw Error("bad rectangle in probe answer: '" + std::string(text) + "'");
    return {static_cast<int>(parseNumber(f[0])), static_cast<int>(parseNumber(f[1])),
            static_cast<int>(parseNumber(f[2])), static_cast<int>(parseNumber(f[3]))};
}

Point parsePoint(std::string_view text) {
    auto f = splitFields(text, 3);
    if (f.size() != 2) throw Error("bad point in probe answer: '" + std::string(text) + "'");
    return {static_cast<int>(parseNumber(f[0])), static_cast<int>(parseNumber(f[1]))};
}

WindowInfo parseWindowLine(std::string_view line, WindowLineKind kind) {
    // hwnd id|pid class left top right bottom style exstyle visible text
    auto f = splitFields(line, 11);
    if (f.size() != 11) throw Error("bad window line in probe answer: '" + std::string(line) + "'");
    WindowInfo w;
    w.hwnd = parseHwnd(f[0]);
    if (kind == WindowLineKind::Child) {
        w.id = static_cast<int>(parseNumber(f[1]));
    } else {
        w.pid = static_cast<unsigned>(parseNumber(f[1]));
    }
    w.className = probe::unescape(f[2]);
    w.rect = {static_cast<int>(parseNumber(f[3])), static_cast<int>(parseNumber(f[4])),
              static_cast<int>(parseNumber(f[5])), static_cast<int>(parseNumber(f[6]))};
    w.style = static_cast<std::uint32_t>(parseNumber(f[7]));
    w.exStyle = static_cast<std::uint32_t>(parseNumber(f[8]));
    w.visible = f[9] == "1";
    w.text = probe::unescape(f[10]);
    return w;
}

} // namespace vtl::e2e
