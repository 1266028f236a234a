// The main window in Windows' High Contrast Black colours, with the visual theme off as Windows
// turns it off in High Contrast mode. Wine reports no High Contrast mode: the program sees only
// the colours, on a copy of the test prefix. Every value and label must read, and a pick work.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/prefix_copy.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

constexpr const char* kHighContrastBlack = R"(REGEDIT4
[HKEY_CURRENT_USER\Control Panel\Colors]
"ButtonFace"="0 0 0" "ButtonText"="255 255 255" "Window"="0 0 0" "WindowText"="255 255 255"
"GrayText"="0 255 0" "Hilight"="26 235 255" "HilightText"="0 0 0" "Background"="0 0 0"
"ButtonShadow"="128 128 128" "ButtonHilight"="255 255 255" "ButtonLight"="255 255 255"
"ButtonDkShadow"="255 255 255" "WindowFrame"="255 255 255" "Scrollbar"="0 0 0" "Menu"="0 0 0"
"MenuText"="255 255 255" "InfoWindow"="0 0 0" "InfoText"="255 255 255" "HotTrackingColor"="128 128 255"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]
"ThemeActive"="0"
)";

double Luminance(Rgb c) {
    auto linear = [](int v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// The strongest contrast of a pixel of the area with its commonest colour, the background.
double TextContrast(const Screenshot& shot, Rect r) {
    std::map<std::uint32_t, int> counts;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            ++counts[shot.pixel(x, y).colorRef()];
    auto commonest = std::max_element(counts.begin(), counts.end(),
                                      [](auto& a, auto& b) { return a.second < b.second; });
    const double background = Luminance(Rgb::fromColorRef(commonest->first));
    double best = 1;
    for (const auto& [color, n] : counts) {
        const double l = Luminance(Rgb::fromColorRef(color));
        best = std::max(best, (std::max(l, background) + 0.05) / (std::min(l, background) + 0.05));
    }
    return best;
}

} // namespace

TEST(HighContrast, EveryValueLabelAndIconReadsAndAPickWorks) {
    PrefixCopy prefix("high-contrast", config::display());
    std::ofstream(prefix.path() + "/drive_c/high-contrast.reg") << kHighContrastBlack;
    prefix.change({{"wine", "regedit", "/S", "C:\\high-contrast.reg"}});
    VantrelSession vantrel;
    const Screenshot shot = Screen().capture();
    for (const char* field : {"spiR", "spiG", "spiB", "spiH", "spiS", "spiL", "edtRGB",
                              "edtDecimal", "edtHex", "edtDelphi", "edtVB", "edtC", "edtHtml"}) {
        const Rect r = vantrel.probe().rect(vantrel.control(field));
        EXPECT_GE(TextContrast(shot, {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}), 3)
            << field;
    }
    for (const char* label : {"lblR", "lblG", "lblB", "lblH", "lblS", "lblL", "lblRGB",
                              "lblDecimal", "lblHex", "lblDelphi", "lblVB", "lblC", "lblHtml"}) {
        const Rect r = vantrel.layoutRect(label);
        EXPECT_GE(TextContrast(shot, {r.left, r.top, r.left + 12, r.top + 11}), 3) << label;
    }
    for (const char* icon : {"imgDrag", "imgDrag2"})
        EXPECT_GE(TextContrast(shot, vantrel.layoutRect(icon)), 3) << icon;

    ShownPicture picture({40, 500}, 60, 60, [](int, int) { return Rgb{0x12, 0xA4, 0x56}; });
    Xdo xdo;
    xdo.drag(vantrel.layoutRect("imgDrag2").center(), picture.screen(30, 30));
    EXPECT_TRUE(waitUntil([&] { return vantrel.text("edtHtml") == "#12A456"; }, 5s))
        << vantrel.text("edtHtml");
}
