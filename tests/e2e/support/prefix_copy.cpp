#include "support/prefix_copy.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/config.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
bool RunOn(std::vector<std::string> argv, const std::string& display, const std::string& prefix) {
    SpawnOptions o;
    o.argv = std::move(argv);
    o.env = environmentWith({{"DISPLAY", display}, {"WINEPREFIX", prefix}});
    return runCommand(std::move(o), 60s).exitCode == 0;
}
} // namespace

PrefixCopy::PrefixCopy(const std::string& suffix, const std::string& display)
    : oldPrefix_(config::winePrefix()), display_(display), prefix_(oldPrefix_ + "-" + suffix) {
    config::ensureWinePrefix();
    // The DLLs are never written: they are linked. The rest is copied, so that this prefix's
    // server cannot write into the shared prefix's files.
    fs::remove_all(prefix_);
    fs::create_directories(prefix_);
    for (const auto& e : fs::recursive_directory_iterator(oldPrefix_)) {
        const fs::path rel = e.path().lexically_relative(oldPrefix_), to = fs::path(prefix_) / rel;
        if (e.is_symlink())
            fs::copy_symlink(e.path(), to);
        else if (e.is_directory())
            fs::create_directories(to);
        else if (rel == "wineserver" || !e.is_regular_file())
            continue; // the running server's own files
        else if (rel.string().rfind("drive_c/windows/system32/", 0) == 0)
            fs::create_hard_link(e.path(), to);
        else
            fs::copy_file(e.path(), to);
    }
    setenv("VTL_WINEPREFIX", prefix_.c_str(), 1);
}

PrefixCopy::~PrefixCopy() {
    setenv("VTL_WINEPREFIX", oldPrefix_.c_str(), 1);
    RunOn({"wineserver", "-k"}, display_, prefix_);
    std::error_code ignored;
    fs::remove_all(prefix_, ignored);
}

bool PrefixCopy::run(std::vector<std::string> argv) const {
    return RunOn(std::move(argv), display_, prefix_) &&
           RunOn({"wineserver", "-w"}, display_, prefix_);
}

} // namespace vtl::e2e
