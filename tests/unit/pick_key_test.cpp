#include "settings/PickKey.h"

#include <gtest/gtest.h>

#include <vector>

namespace vtl {

TEST(PickKey, ModifiersAndOneKeyInAnyCaseAndOrderOrNoneElseTheDefaultAndWhy) {
    EXPECT_EQ(ParsePickKey(" win + z+ALT "), (TPickKey{kModAlt | kModWin, 'Z'}));
    EXPECT_EQ(ParsePickKey("NONE"), TPickKey{});
    EXPECT_EQ(PickKeyText({15, 0x87}), "Ctrl+Alt+Shift+Win+F24");
    const std::pair<const char*, std::vector<std::string>> unusable[] = {
        {"a name missing", {"Ctrl+", "Ctrl++F9"}},
        {"a modifier twice", {"Ctrl+Ctrl+F9"}},
        {"two keys", {"Ctrl+A+B"}},
        {"no key", {"Ctrl+Shift"}},
        {"no such key", {"Ctrl+Shift+F25", "Ctrl+F01", "Ctrl+Esc", "Control+F9", "none+F9"}},
        {"needs Ctrl, Alt or Win", {"A", "Shift+7"}}};
    for (const auto& [reason, texts] : unusable)
        for (const std::string& text : texts) {
            const char* why = nullptr;
            ParsePickKey(text, &why);
            EXPECT_STREQ(why, reason) << text;
        }
    std::string told;
    EXPECT_EQ(StartupPickKey("Ctrl+Shift+" + std::string(289, 'x'), &told), kDefaultPickKey);
    EXPECT_EQ(told, "Shortcut Ctrl+Shift+xxxxxxxxxx...: no such key; see ReadMe");
}

} // namespace vtl
