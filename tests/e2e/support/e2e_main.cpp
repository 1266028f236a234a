// main() of the end-to-end test programs: GoogleTest plus a screenshot of the display for every
// failed test, so a failure on a headless machine can be looked at afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "support/config.hpp"
#include "support/screen.hpp"

namespace {

// Takes the screenshot at the first failure of a test, while the program under test still
// shows what went wrong (by the end of the test its fixture has closed it). GoogleTest holds its
// own lock while it reports a result: nothing here may call back into it.
class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        name_ = std::string(info.test_suite_name()) + "." + info.name();
        for (char& c : name_) {
            if (c == '/') c = '_';
        }
        taken_ = false;
    }

    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || taken_ || std::getenv("DISPLAY") == nullptr) return;
        taken_ = true;
        try {
            std::filesystem::path dir = vtl::e2e::config::artifactsDir();
            std::filesystem::create_directories(dir);
            std::string path = (dir / (name_ + ".png")).string();
            vtl::e2e::Screen().saveShot(path);
            std::cout << "[ screenshot ] " << path << std::endl;
        } catch (const std::exception& e) {
            std::cout << "[ screenshot ] not saved: " << e.what() << std::endl;
        }
    }

    std::string name_ = "unknown";
    bool taken_ = false;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
    return RUN_ALL_TESTS();
}
