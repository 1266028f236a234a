// A copy of the test prefix a test may change (its registry above all); while it exists,
// config::winePrefix() names it. scripts/prefix-copy makes it and removes it with its processes
// once this process has ended, however it ended (a test killed at its timeout included).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/config.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

class PrefixCopy {
  public:
    // `values` as the script takes them: "HKCU\Key\Name=REG_DWORD:144".
    explicit PrefixCopy(const std::string& suffix, const std::vector<std::string>& values = {})
        : old_(config::winePrefix()), path_(old_ + "-" + suffix) {
        config::ensureWinePrefix();
        std::vector<std::string> argv{config::scriptsDir() + "/prefix-copy", "--owner",
                                      std::to_string(::getpid()), old_, path_};
        argv.insert(argv.end(), values.begin(), values.end());
        if (!call(std::move(argv))) throw std::runtime_error("cannot copy the test prefix");
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
        o.env = environmentWith({{"DISPLAY", config::display()}, {"WINEPREFIX", path_}});
        return runCommand(std::move(o), std::chrono::seconds(120)).exitCode == 0;
    }
    std::string old_, path_; // the shared prefix, the copy
};

} // namespace vtl::e2e
