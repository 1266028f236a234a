// libFuzzer target for the text parses. Run by hand: build/<dir>/fuzz_strtoint -max_total_time=60
#include "color/ColorValue.h"
#include "color/Text.h"
#include "settings/CopyTemplate.h"
#include "settings/PickKey.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // The throwing and the non-throwing form agree, and every result reads back.
    int tried = 0;
    const bool ok = vtl::TryStrToInt(text, tried);
    try {
        const int value = vtl::StrToInt(text);
        Check(ok && value == tried);
        Check(vtl::StrToInt(std::to_string(value)) == value);
    } catch (const vtl::EConvertError&) {
        Check(!ok);
    }

    // An Html text converts exactly when characters 2..7, as far as they exist, are
    // hexadecimal digits and there is at least one.
    bool valid = text.size() >= 2;
    for (std::size_t i = 1; i < 7 && i < text.size(); ++i)
        valid = valid && IsHex(text[i]);
    try {
        const vtl::TColor c = vtl::HtmlToColor(text);
        Check(valid && c <= 0xFFFFFF);
        if (text.size() >= 7) {
            std::string upper = "#" + text.substr(1, 6);
            for (char& ch : upper)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            Check(vtl::ColorToNotation(c, 4) == upper);
        }
    } catch (const vtl::EConvertError&) {
        Check(!valid);
    }

    // A shortcut's text: letter case never matters; a shortcut reads back from its own text.
    std::string upper = text;
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto key = vtl::ParsePickKey(text);
    Check(vtl::ParsePickKey(upper) == key &&
          (!key || vtl::ParsePickKey(vtl::PickKeyText(*key)) == key));

    // A copy template is taken or refused; any text with its braces doubled copies as itself.
    std::string escaped;
    for (char ch : text)
        escaped += ch == '{' || ch == '}' ? std::string(2, ch) : std::string(1, ch);
    Check(escaped.size() > vtl::kMaxCopyTemplate || vtl::TCopyTemplate(escaped).Text({}) == text);
    try {
        vtl::TCopyTemplate(text).Text({0xFFFFFFFF, -1, 241, 0});
    } catch (const vtl::ECopyTemplateError&) {
    }
    return 0;
}
