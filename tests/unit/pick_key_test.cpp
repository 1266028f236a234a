#include "settings/PickKey.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(PickKey, ModifiersAndOneKeyInAnyCaseAndOrder) {
    const struct {
        const char* text;
        TPickKey key;
    } good[] = {{"Ctrl+Shift+F11", {kModCtrl | kModShift, 0x7A}},
                {" shift + CTRL + f11 ", {kModCtrl | kModShift, 0x7A}},
                {"Alt+Win+z", {kModAlt | kModWin, 'Z'}},
                {"ctrl+0", {kModCtrl, '0'}},
                {"F24", {0, 0x87}},
                {"Shift+F1", {kModShift, 0x70}},
                {"NONE", {}}};
    for (const auto& g : good) {
        EXPECT_EQ(ParsePickKey(g.text), g.key) << g.text;
        EXPECT_EQ(ParsePickKey(PickKeyText(g.key)), g.key) << PickKeyText(g.key);
    }
    EXPECT_EQ(PickKeyText({kModWin | kModShift | kModAlt | kModCtrl, '7'}), "Ctrl+Alt+Shift+Win+7");
}

TEST(PickKey, TextNamingNoShortcutMeansTheDefault) {
    for (const char* text :
         {"", "Ctrl", "Ctrl+", "+F9", "Ctrl+Ctrl+F9", "Ctrl+A+B", "Ctrl+F25", "Ctrl+F0", "Ctrl+F01",
          "Ctrl+Esc", "Control+F9", "A", "Shift+7", "Ctrl++F9", "none+F9"}) {
        EXPECT_EQ(ParsePickKey(text), std::nullopt) << text;
        EXPECT_EQ(StartupPickKey(text), kDefaultPickKey) << text;
    }
    EXPECT_EQ(PickKeyText(kDefaultPickKey), "Ctrl+Shift+F11");
}

} // namespace
} // namespace vtl
