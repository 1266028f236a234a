// A copy of the test prefix a test may change (its registry above all); while it exists,
// config::winePrefix() names it. Its DLLs are linked, never written; the rest is copied.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/config.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

class PrefixCopy {
  public:
    PrefixCopy(const std::string& suffix, const std::string& display)
        : old_(config::winePrefix()), display_(display), path_(old_ + "-" + suffix) {
        config::ensureWinePrefix();
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ + "/drive_c/windows");
        if (!call({"cp", "-al", old_ + "/drive_c/windows/system32", path_ + "/drive_c/windows"}) ||
            !call({"cp", "-an", old_ + "/.", path_}))
            throw std::runtime_error("cannot copy the test prefix to " + path_);
        std::filesystem::remove(path_ + "/wineserver"); // the running server's own
        setenv("VTL_WINEPREFIX", path_.c_str(), 1);
    }
    ~PrefixCopy() { // stops its server and removes it
        setenv("VTL_WINEPREFIX", old_.c_str(), 1);
        call({"wineserver", "-k"});
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    PrefixCopy(const PrefixCopy&) = delete;
    PrefixCopy& operator=(const PrefixCopy&) = delete;

    // Runs a command on the copy and waits for its server to write the registry; true when done.
    bool run(const std::vector<std::string>& argv) const {
        return call(argv) && call({"wineserver", "-w"});
    }

  private:
    bool call(std::vector<std::string> argv) const {
        SpawnOptions o;
        o.argv = std::move(argv);
        o.env = environmentWith({{"DISPLAY", display_}, {"WINEPREFIX", path_}});
        return runCommand(std::move(o), std::chrono::seconds(120)).exitCode == 0;
    }
    std::string old_, display_, path_; // the shared prefix, the X display, the copy
};

} // namespace vtl::e2e
