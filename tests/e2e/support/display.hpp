// A private X server with a screen of its own ("WxHxD"), started by scripts/xvfb, the one way
// the scripts and the tests start one; DISPLAY names it while it exists. The script stops it
// once this process has ended, however it ended (a test killed at its timeout included).
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
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
            runCommand({config::scriptsDir() + "/xvfb", screen, std::to_string(::getpid())},
                       std::chrono::seconds(60));
        std::istringstream(r.out) >> name_ >> pid_;
        if (r.exitCode != 0 || pid_ <= 0) throw Error("no X server of " + screen + ": " + r.err);
        setenv("DISPLAY", name_.c_str(), 1);
    }
    ~PrivateDisplay() { // not our child: the script that started it has ended
        setenv("DISPLAY", old_.c_str(), 1);
        ::kill(pid_, SIGTERM);
        if (!waitUntil([&] { return ::kill(pid_, 0) != 0; }, std::chrono::seconds(5)))
            ::kill(pid_, SIGKILL);
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    const std::string& name() const { return name_; }

  private:
    std::string old_ = config::display();
    std::string name_;
    pid_t pid_ = 0;
};

} // namespace vtl::e2e
