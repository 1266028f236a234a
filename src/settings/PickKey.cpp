#include "settings/PickKey.h"

#include "color/Text.h"

#include <cctype>

namespace vtl {

namespace {

constexpr unsigned kVkF1 = 0x70;
constexpr int kFunctionKeys = 24;

struct TModifierName {
    const char* name;
    unsigned bit;
};
// In the order PickKeyText writes them.
constexpr TModifierName kModifiers[] = {
    {"ctrl", kModCtrl}, {"alt", kModAlt}, {"shift", kModShift}, {"win", kModWin}};

// The virtual-key code of a key's lower-case name, or 0.
unsigned KeyCode(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return unsigned(name[0] - 'a' + 'A');
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return unsigned(name[0]);
    if (name.size() < 2 || name.size() > 3 || name[0] != 'f' || name[1] == '0') return 0;
    int n = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n >= 1 && n <= kFunctionKeys ? kVkF1 + unsigned(n - 1) : 0;
}

bool TypesACharacter(const TPickKey& key) {
    return key.key < kVkF1 && (key.modifiers & ~kModShift) == 0;
}

} // namespace

std::optional<TPickKey> ParsePickKey(const std::string& text, const char** why) {
    const auto fault = [why](const char* reason) {
        if (why) *why = reason;
        return std::nullopt;
    };
    const std::string all = LowerCase(TrimControl(text));
    if (all == "none") return TPickKey{};
    if (all.empty()) return fault(nullptr);
    TPickKey result;
    size_t begin = 0;
    while (begin <= all.size()) {
        size_t end = all.find('+', begin);
        if (end == std::string::npos) end = all.size();
        const std::string part = TrimControl(all.substr(begin, end - begin));
        begin = end + 1;
        bool modifier = false;
        for (const TModifierName& m : kModifiers)
            if (part == m.name) {
                if (result.modifiers & m.bit) return fault("a modifier twice");
                result.modifiers |= m.bit;
                modifier = true;
            }
        if (modifier) continue;
        const unsigned code = KeyCode(part);
        if (code == 0) return fault(part.empty() ? "a name missing" : "no such key");
        if (result.key != 0) return fault("two keys");
        result.key = code;
    }
    if (result.Off()) return fault("no key");
    if (TypesACharacter(result)) return fault("needs Ctrl, Alt or Win");
    return result;
}

TPickKey StartupPickKey(const std::string& text, std::string* told) {
    const char* why = nullptr;
    const std::optional<TPickKey> key = ParsePickKey(text, &why);
    if (!key && why && told) {
        const std::string shown = TrimControl(text);
        *told = "Shortcut " + (shown.size() > 24 ? shown.substr(0, 21) + "..." : shown) + ": " +
                why + "; see ReadMe";
    }
    return key.value_or(kDefaultPickKey);
}

std::string PickKeyText(const TPickKey& key) {
    if (key.Off()) return "none";
    std::string text;
    for (const TModifierName& m : kModifiers)
        if (key.modifiers & m.bit) {
            text += char(std::toupper(static_cast<unsigned char>(m.name[0])));
            text.append(m.name + 1).append(1, '+');
        }
    if (key.key >= kVkF1)
        text.append(1, 'F').append(std::to_string(key.key - kVkF1 + 1));
    else
        text.append(1, char(key.key));
    return text;
}

} // namespace vtl
