// The main window in Windows' High Contrast Black colours, with the visual theme off as Windows
// turns it off in High Contrast mode (which Wine never reports: the program sees the colours).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "color/Contrast.h"
#include "shown_picture.hpp"
#include "support/config.hpp"
#include "support/prefix_copy.hpp"
#include "support/screen.hpp"
#include "support/wait.hpp"
#include "support/xdo.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;
using vtl::layout::Kind;

namespace {

// The contrast of the lightest and the darkest pixel of an area: its text on its background.
double TextContrast(const Screenshot& shot, Rect r) {
    std::uint32_t lightest = 0, darkest = 0xFFFFFF;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t c = shot.pixel(x, y).colorRef();
            if (vtl::ContrastRatio(c, 0) > vtl::ContrastRatio(lightest, 0)) lightest = c;
            if (vtl::ContrastRatio(c, 0) < vtl::ContrastRatio(darkest, 0)) darkest = c;
        }
    return vtl::ContrastRatio(lightest, darkest);
}

TEST(HighContrast, EveryValueLabelAndIconReadsAndAPickWorks) {
    const std::string colors = "Z:" + config::scriptsDir() + "/high-contrast-black.reg";
    PrefixCopy prefix("high-contrast");
    ASSERT_TRUE(prefix.run({"wine", "regedit", "/S", colors}));
    VantrelSession vantrel;
    std::vector<std::pair<const char*, Rect>> areas; // value fields, labels, "+" icons
    for (const auto& item : vtl::layout::kMainLayout) {
        const bool field = item.kind == Kind::Edit || item.kind == Kind::SpinEdit;
        const Rect r = field ? vantrel.probe().rect(vantrel.control(item.name))
                             : vantrel.layoutRect(item.name);
        if (field) areas.push_back({item.name, {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}});
        if (item.kind == Kind::Label)
            areas.push_back({item.name, {r.left, r.top, r.left + 12, r.top + 11}});
        if (std::string(item.picture) == "picker") areas.push_back({item.name, r});
    }
    Screenshot shot = Screen().capture();
    auto reads = [&](const auto& area) { return TextContrast(shot, area.second) >= 3; };
    // The window paints a moment after it shows.
    waitUntil(
        [&] {
            shot = Screen().capture();
            return std::all_of(areas.begin(), areas.end(), reads);
        },
        5s);
    for (const auto& area : areas)
        EXPECT_TRUE(reads(area)) << area.first << ": " << TextContrast(shot, area.second);
    ShownPicture picture({40, 500}, 60, 60, [](int, int) { return Rgb{0x12, 0xA4, 0x56}; });
    Xdo().drag(vantrel.layoutRect("imgDrag2").center(), picture.screen(30, 30));
    EXPECT_TRUE(waitUntil([&] { return vantrel.text("edtHtml") == "#12A456"; }, 5s));
}

} // namespace
