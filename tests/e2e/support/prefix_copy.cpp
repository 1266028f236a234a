#include "support/prefix_copy.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/config.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

PrefixCopy::PrefixCopy(const std::string& suffix, const std::string& display,
                       const std::vector<std::string>& values)
    : oldDisplay_(config::display()), oldPrefix_(config::winePrefix()), display_(display) {
    config::ensureWinePrefix();
    prefix_ = oldPrefix_ + "-" + suffix;
    SpawnOptions o;
    o.argv = {config::scriptsDir() + "/prefix-copy", oldPrefix_, prefix_};
    o.argv.insert(o.argv.end(), values.begin(), values.end());
    o.env = environmentWith({{"DISPLAY", display_}});
    if (runCommand(std::move(o), std::chrono::seconds(120)).exitCode != 0)
        throw std::runtime_error("cannot set up the prefix copy " + prefix_);
    setenv("DISPLAY", display_.c_str(), 1);
    setenv("VTL_WINEPREFIX", prefix_.c_str(), 1);
}

PrefixCopy::~PrefixCopy() {
    setenv("DISPLAY", oldDisplay_.c_str(), 1);
    setenv("VTL_WINEPREFIX", oldPrefix_.c_str(), 1);
    SpawnOptions o;
    o.argv = {"wineserver", "-k"};
    o.env = environmentWith({{"DISPLAY", display_}, {"WINEPREFIX", prefix_}});
    runCommand(std::move(o), std::chrono::seconds(60));
    std::error_code ignored;
    std::filesystem::remove_all(prefix_, ignored);
}

} // namespace vtl::e2e
