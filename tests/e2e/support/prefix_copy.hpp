// A copy of the test prefix that a test may change (its registry above all) without touching
// the shared one. While it exists, $VTL_WINEPREFIX names it, so every program a test starts
// runs on it.
#pragma once

#include <string>
#include <vector>

namespace vtl::e2e {

class PrefixCopy {
  public:
    PrefixCopy(const std::string& suffix, const std::string& display);
    ~PrefixCopy(); // stops its server, removes it and names the shared prefix again
    PrefixCopy(const PrefixCopy&) = delete;
    PrefixCopy& operator=(const PrefixCopy&) = delete;

    const std::string& path() const { return prefix_; }
    // Runs a program of the prefix to its end, then waits for the server to write the registry;
    // true when both succeeded.
    bool run(std::vector<std::string> argv) const;

  private:
    std::string oldPrefix_, display_, prefix_;
};

} // namespace vtl::e2e
