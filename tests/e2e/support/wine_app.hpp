// A Win32 program started under Wine with the project's prefix and display.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/process.hpp"

namespace vtl::e2e {

class WineApp {
  public:
    // Starts `wine <exe> <args...>`; exe is a Linux path. The process ends with this object at
    // the latest (killed if it still runs).
    explicit WineApp(const std::string& exe, const std::vector<std::string>& args = {},
                     const std::optional<std::string>& workingDirectory = std::nullopt);

    // Exit code, or nothing when the program still runs after the timeout.
    std::optional<int> waitExit(std::chrono::milliseconds timeout) {
        return process_.waitExit(timeout);
    }
    bool running() { return process_.running(); }
    void kill() { process_.kill(); }
    pid_t pid() const { return process_.pid(); }

  private:
    static ChildProcess start(const std::string& exe, const std::vector<std::string>& args,
                              const std::optional<std::string>& workingDirectory);

    ChildProcess process_;
};

} // namespace vtl::e2e
