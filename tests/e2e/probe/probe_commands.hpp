// The probe's commands: each inspects or pokes windows of other processes and answers with
// plain lines (see probe_protocol.hpp for the framing and README-style list in probe_commands.cpp).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "probe_args.hpp"

namespace vtl::probe {

using Reply = std::vector<std::string>;

class Commands {
  public:
    Commands();

    // Runs one command line. Failures come back as a single "ERR <message>" line.
    Reply run(std::string_view line);

    bool quitRequested() const { return quit_; }

  private:
    using Handler = std::function<void(Args&, Reply&)>;
    std::map<std::string, Handler, std::less<>> handlers_;
    bool quit_ = false;
};

} // namespace vtl::probe
