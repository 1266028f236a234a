#include "settings/PickKey.h"

#include <gtest/gtest.h>

namespace vtl {

TEST(PickKey, ModifiersAndOneKeyInAnyCaseAndOrderOrNoneElseTheDefault) {
    EXPECT_EQ(ParsePickKey(" win + z+ALT "), (TPickKey{kModAlt | kModWin, 'Z'}));
    EXPECT_EQ(ParsePickKey("NONE"), TPickKey{});
    EXPECT_EQ(PickKeyText({15, 0x87}), "Ctrl+Alt+Shift+Win+F24");
    for (const char* text : {"", "Ctrl+", "Ctrl++F9", "Ctrl+Ctrl+F9", "Ctrl+A+B", "Ctrl+F25",
                             "Ctrl+F01", "Ctrl+Esc", "Control+F9", "A", "Shift+7", "none+F9"})
        EXPECT_EQ(StartupPickKey(text), kDefaultPickKey) << text;
}

} // namespace vtl
