// A copy of the test prefix for a variant of the system (another display, another DPI), with a
// Wine server of its own. The DLLs are linked, never written; the rest, the registry above all,
// is copied, so that this prefix's server cannot write into the shared prefix's files. While it
// exists, the tests' Wine programs run in it (VTL_WINEPREFIX) on the given display.
#pragma once

#include <map>
#include <string>

namespace vtl::e2e {

class PrefixCopy {
  public:
    // `values` are registry values to set, "key\\name" to a REG_DWORD.
    PrefixCopy(const std::string& suffix, const std::string& display,
               const std::map<std::string, unsigned>& dwords = {},
               const std::map<std::string, std::string>& strings = {});
    ~PrefixCopy();
    PrefixCopy(const PrefixCopy&) = delete;
    PrefixCopy& operator=(const PrefixCopy&) = delete;

  private:
    std::string oldDisplay_, oldPrefix_;
    std::string display_, prefix_;
};

} // namespace vtl::e2e
