#include "support/prefix_copy.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "support/config.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

bool Run(std::vector<std::string> argv, const std::string& display, const std::string& prefix) {
    SpawnOptions o;
    o.argv = std::move(argv);
    o.env = environmentWith({{"DISPLAY", display}, {"WINEPREFIX", prefix}});
    return runCommand(std::move(o), 60s).exitCode == 0;
}

bool SetValue(const std::string& path, const std::string& type, const std::string& data,
              const std::string& display, const std::string& prefix) {
    const auto slash = path.rfind('\\');
    return Run({"wine", "reg", "add", path.substr(0, slash), "/v", path.substr(slash + 1), "/t",
                type, "/d", data, "/f"},
               display, prefix);
}

} // namespace

PrefixCopy::PrefixCopy(const std::string& suffix, const std::string& display,
                       const std::map<std::string, unsigned>& dwords,
                       const std::map<std::string, std::string>& strings)
    : oldDisplay_(config::display()), oldPrefix_(config::winePrefix()), display_(display) {
    config::ensureWinePrefix();
    const fs::path from = config::winePrefix();
    prefix_ = from.string() + "-" + suffix;
    fs::remove_all(prefix_);
    fs::create_directories(prefix_);
    for (const auto& e : fs::recursive_directory_iterator(from)) {
        const fs::path rel = e.path().lexically_relative(from), to = fs::path(prefix_) / rel;
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
    bool ok = true;
    for (const auto& [path, value] : dwords)
        ok = ok && SetValue(path, "REG_DWORD", std::to_string(value), display_, prefix_);
    for (const auto& [path, value] : strings)
        ok = ok && SetValue(path, "REG_SZ", value, display_, prefix_);
    // The values are read when the next server starts (-k fails when none runs any more).
    Run({"wineserver", "-k"}, display_, prefix_);
    if (!ok || !Run({"wineserver", "-w"}, display_, prefix_))
        throw std::runtime_error("cannot set up the prefix copy " + prefix_);
    setenv("DISPLAY", display_.c_str(), 1);
    setenv("VTL_WINEPREFIX", prefix_.c_str(), 1);
}

PrefixCopy::~PrefixCopy() {
    setenv("DISPLAY", oldDisplay_.c_str(), 1);
    setenv("VTL_WINEPREFIX", oldPrefix_.c_str(), 1);
    Run({"wineserver", "-k"}, display_, prefix_);
    std::error_code ignored;
    fs::remove_all(prefix_, ignored);
}

} // namespace vtl::e2e
