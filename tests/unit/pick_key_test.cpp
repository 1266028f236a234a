#include "settings/PickKey.h"

#include <gtest/gtest.h>

namespace vtl {

TEST(PickKey, ModifiersAndOneKeyInAnyCaseAndOrderOrNoneElseTheDefaultAndWhy) {
    EXPECT_EQ(ParsePickKey(" win + z+ALT "), (TPickKey{kModAlt | kModWin, 'Z'}));
    EXPECT_EQ(ParsePickKey("NONE"), TPickKey{});
    EXPECT_EQ(PickKeyText({15, 0x87}), "Ctrl+Alt+Shift+Win+F24");
    const std::pair<const char*, const char*> unusable[] = {{"", nullptr},
                                                            {"Ctrl+", "a name missing"},
                                                            {"Ctrl++F9", "a name missing"},
                                                            {"Ctrl+Ctrl+F9", "a modifier twice"},
                                                            {"Ctrl+A+B", "two keys"},
                                                            {"Ctrl+Shift", "no key"},
                                                            {"Ctrl+Shift+F25", "no such key"},
                                                            {"Ctrl+F01", "no such key"},
                                                            {"Ctrl+Esc", "no such key"},
                                                            {"Control+F9", "no such key"},
                                                            {"none+F9", "no such key"},
                                                            {"A", "needs Ctrl, Alt or Win"},
                                                            {"Shift+7", "needs Ctrl, Alt or Win"}};
    for (const auto& [text, reason] : unusable) {
        const char* why = nullptr;
        EXPECT_EQ(ParsePickKey(text, &why), std::nullopt) << text;
        EXPECT_STREQ(why, reason) << text;
        EXPECT_EQ(StartupPickKey(text), kDefaultPickKey) << text;
    }
    std::string told = "unchanged";
    StartupPickKey("", &told);
    EXPECT_EQ(told, "unchanged") << "a missing value is no news";
    StartupPickKey("Ctrl+Shift+" + std::string(289, 'x'), &told);
    EXPECT_EQ(told, "Shortcut Ctrl+Shift+xxxxxxxxxx...: no such key; see ReadMe");
}

} // namespace vtl
