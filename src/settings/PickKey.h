// The global shortcut that starts a pick from anywhere, as vtl3.ini holds it: modifiers and
// one key joined by "+" ("Ctrl+Shift+F11"), in any letter case, or "none". Needs no Windows
// headers; the numbers are Windows' own (MOD_* bits, virtual-key codes).
#pragma once

#include <optional>
#include <string>

namespace vtl {

constexpr const char* kPickKeyKey = "pickkey";

constexpr unsigned kModAlt = 0x1, kModCtrl = 0x2, kModShift = 0x4, kModWin = 0x8;

struct TPickKey {
    unsigned modifiers = 0; // kMod* bits
    unsigned key = 0;       // virtual-key code: 'A'..'Z', '0'..'9', F1..F24; 0 when switched off
    bool Off() const { return key == 0; }
    bool operator==(const TPickKey&) const = default;
};

// Why this one is in CONTRIBUTING.md.
constexpr TPickKey kDefaultPickKey{kModCtrl | kModShift, 0x7A /* F11 */};

// The shortcut a text names ("none": off), or nothing when the text names none: empty,
// unknown names, no key or two, a modifier twice, or a letter or digit without a modifier
// other than Shift (it would take a typed character from every program); *why, when asked,
// then says which in a few words (null for an empty text).
std::optional<TPickKey> ParsePickKey(const std::string& text, const char** why = nullptr);
// What the program registers at start: a text that names no shortcut means the default;
// *told, when asked, becomes the status text that says why (nothing for an empty text).
TPickKey StartupPickKey(const std::string& text, std::string* told = nullptr);
// "Ctrl+Alt+Shift+Win+Key" with the modifiers it has, or "none"; reads back the same.
std::string PickKeyText(const TPickKey& key);

} // namespace vtl
