// The real program from outside: the swatch on the screen and a clean exit.
#include <gtest/gtest.h>

#include "support/screen.hpp"
#include "support/wait.hpp"
#include "vantrel_session.hpp"

using namespace vtl::e2e;
using namespace std::chrono_literals;

namespace {

TEST(MainWindow, PaintsTheInitialColourAndEndsWithExitCodeZero) {
    VantrelSession vantrel;
    // The views' texts are the in-process tests' (tests/win); here what only the running
    // program shows: its swatch on the screen, and its exit code.
    const Point swatch = vantrel.layoutRect("shpColor").center();
    Screen screen;
    EXPECT_TRUE(waitUntil(
        [&] {
            return screen.capture().pixel(swatch) == Rgb{247, 213, 185};
        },
        5s))
        << "swatch shows " << screen.capture().pixel(swatch);
    EXPECT_EQ(vantrel.close(), 0);
}

} // namespace
