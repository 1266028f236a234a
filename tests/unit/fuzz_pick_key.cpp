// libFuzzer target for the global shortcut's text. Run by scripts/fuzz pickkey.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto key = vtl::ParsePickKey(text);

    // Letter case never matters, and what names a shortcut reads back from its own text.
    std::string upper = text;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    Check(vtl::ParsePickKey(upper) == key);
    if (!key) {
        Check(vtl::StartupPickKey(text) == vtl::kDefaultPickKey);
        return 0;
    }
    Check(vtl::ParsePickKey(vtl::PickKeyText(*key)) == key);
    Check(key->Off() || (key->modifiers & ~0xFu) == 0);
    return 0;
}
