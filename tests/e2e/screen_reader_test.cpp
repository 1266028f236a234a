// A screen reader in another process reads what is painted and presses the frame's buttons.
#include <gtest/gtest.h>

#include "support/xdo.hpp"
#include "tray.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

TEST(ScreenReader, NamesWhatIsPaintedAndPressesItsButtons) {
    VantrelSession vantrel;
    Tray tray(vantrel);
    Probe& probe = vantrel.probe();
    ASSERT_TRUE(vantrel.save());
    const auto tree = probe.accTree(vantrel.window());
    // The window's own element, or else the first element of that name.
    auto find = [&](Hwnd hwnd, const std::string& name = "") {
        for (const AccElement& e : tree)
            if (hwnd ? e.hwnd == hwnd && e.child == 0 : e.name == name) return e;
        return AccElement{};
    };
    std::vector<std::string> names;
    for (const char* c :
         {"spiR", "spiL", "edtDecimal", "edtC", "btnRGBCopy", "btnCCopy", "ListView1"})
        names.push_back(find(vantrel.control(c)).name);
    EXPECT_EQ(names, (std::vector<std::string>{"R", "L", "Decimal", "C/C++", "Copy RGB",
                                               "Copy C/C++", "Saved colours"}));
    // Push buttons where they are drawn, 16 x 16 inside the 31-pixel title band.
    const Rect w = vantrel.windowRect();
    for (const auto& [name, x] : {std::pair{"Minimize", 215}, std::pair{"Close", 234}}) {
        const AccElement b = find(0, name);
        EXPECT_EQ(std::tuple(b.role, b.action, b.rect),
                  std::tuple(0x2BL, std::string("Press"),
                             Rect{w.left + x, w.top + 9, w.left + x + 16, w.top + 25}));
    }
    ASSERT_TRUE(probe.accDo(find(0, "Minimize")));
    ASSERT_TRUE(tray.waitShown(false)) << "Minimize did not hide the program to the tray";
    tray.click();
    ASSERT_TRUE(tray.waitShown(true));
    // The entry, read as its colour's text, opens as a double click opens it.
    ASSERT_TRUE(probe.accDo(find(0, "#F7D5B9")));
    const Hwnd dialog = probe.waitWindow("VtlWindow", "Values", 10s);
    names.clear();
    for (const AccElement& e : probe.accTree(dialog))
        if (e.child == 0 && probe.className(e.hwnd) == "Edit") names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"RGB", "HSL", "Decimal", "Hex", "Delphi", "VB",
                                               "C/C++", "Html"}));
    Xdo().key("alt+F4"); // the dialog has the keys
    ASSERT_TRUE(probe.waitGone(dialog));
    ASSERT_TRUE(probe.accDo(find(0, "Close")));
    EXPECT_EQ(vantrel.app().waitExit(10s), std::optional<int>(0));
}
