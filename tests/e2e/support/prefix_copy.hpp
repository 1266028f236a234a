// A copy of the test prefix that the tests use instead of it while the copy exists, for a
// variant of its settings (monitors, colours). The DLLs are never written: they are linked. The
// rest, the registry above all, is copied, so that the copy's server cannot write into the
// shared prefix's files.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/config.hpp"
#include "support/error.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

class PrefixCopy {
  public:
    // Copies the test prefix to "<prefix>-<name>"; tests then run on it and on `display`.
    PrefixCopy(const std::string& name, const std::string& display) : display_(display) {
        namespace fs = std::filesystem;
        config::ensureWinePrefix();
        const fs::path from = config::winePrefix();
        prefix_ = from.string() + "-" + name;
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
        setenv("DISPLAY", display_.c_str(), 1);
        setenv("VTL_WINEPREFIX", prefix_.c_str(), 1);
    }
    ~PrefixCopy() {
        setenv("DISPLAY", oldDisplay_.c_str(), 1);
        setenv("VTL_WINEPREFIX", oldPrefix_.c_str(), 1);
        run({"wineserver", "-k"});
        std::error_code ignored;
        std::filesystem::remove_all(prefix_, ignored);
    }
    PrefixCopy(const PrefixCopy&) = delete;
    PrefixCopy& operator=(const PrefixCopy&) = delete;

    const std::string& path() const { return prefix_; }
    // Runs a command on the copy to its end; true when it succeeded.
    bool run(std::vector<std::string> argv) const {
        SpawnOptions o;
        o.argv = std::move(argv);
        o.env = environmentWith({{"DISPLAY", display_}, {"WINEPREFIX", prefix_}});
        return runCommand(std::move(o), std::chrono::seconds(60)).exitCode == 0;
    }
    // Runs the commands and waits for the copy's server to finish writing the registry.
    void change(const std::vector<std::vector<std::string>>& commands) const {
        for (const auto& c : commands)
            if (!run(c)) throw Error("cannot set up the prefix copy " + prefix_);
        if (!run({"wineserver", "-w"})) throw Error("cannot set up the prefix copy " + prefix_);
    }

  private:
    std::string oldDisplay_ = config::display(), oldPrefix_ = config::winePrefix();
    std::string display_, prefix_;
};

} // namespace vtl::e2e
