// A private X server with a screen of its own ("WxHxD"), started by scripts/xvfb, the one way
// the scripts and the tests start one.
#pragma once

#include <signal.h>

#include <sstream>
#include <string>

#include "support/config.hpp"
#include "support/error.hpp"
#include "support/process.hpp"
#include "support/wait.hpp"

namespace vtl::e2e {

class PrivateDisplay {
  public:
    explicit PrivateDisplay(const std::string& screen) {
        const CommandResult r =
            runCommand({config::scriptsDir() + "/xvfb", screen}, std::chrono::seconds(60));
        std::istringstream(r.out) >> name_ >> pid_;
        if (r.exitCode != 0 || pid_ <= 0) throw Error("no X server of " + screen + ": " + r.err);
    }
    ~PrivateDisplay() { // not our child: the script that started it has ended
        ::kill(pid_, SIGTERM);
        if (!waitUntil([&] { return ::kill(pid_, 0) != 0; }, std::chrono::seconds(5)))
            ::kill(pid_, SIGKILL);
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    const std::string& name() const { return name_; }

  private:
    std::string name_;
    pid_t pid_ = 0;
};

} // namespace vtl::e2e
