// A copy of the test prefix for a variant of the system (another display, another DPI), made
// by scripts/prefix-copy, with a Wine server of its own. While it exists, the tests' Wine
// programs run in it (VTL_WINEPREFIX) on the given display.
#pragma once

#include <string>
#include <vector>

namespace vtl::e2e {

class PrefixCopy {
  public:
    // values: registry values to set, as 'HKCU\Key\Name=REG_DWORD:144'.
    PrefixCopy(const std::string& suffix, const std::string& display,
               const std::vector<std::string>& values);
    ~PrefixCopy();
    PrefixCopy(const PrefixCopy&) = delete;
    PrefixCopy& operator=(const PrefixCopy&) = delete;

  private:
    std::string oldDisplay_, oldPrefix_, display_, prefix_;
};

} // namespace vtl::e2e
