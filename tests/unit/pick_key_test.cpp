#include "settings/PickKey.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(PickKey, ModifiersAndOneKeyInAnyCaseAndOrderOrNoneElseTheDefault) {
    EXPECT_EQ(ParsePickKey(" shift + CTRL + f11 "), kDefaultPickKey);
    EXPECT_EQ(ParsePickKey("Alt+Win+z"), (TPickKey{kModAlt | kModWin, 'Z'}));
    EXPECT_EQ(ParsePickKey("F24"), (TPickKey{0, 0x87}));
    EXPECT_EQ(ParsePickKey("NONE"), TPickKey{});
    EXPECT_EQ(PickKeyText({15, '0'}), "Ctrl+Alt+Shift+Win+0");
    for (const char* text : {"", "Ctrl+", "Ctrl++F9", "Ctrl+Ctrl+F9", "Ctrl+A+B", "Ctrl+F25",
                             "Ctrl+F01", "Ctrl+Esc", "Control+F9", "A", "Shift+7", "none+F9"})
        EXPECT_EQ(StartupPickKey(text), kDefaultPickKey) << text;
}

} // namespace
} // namespace vtl
