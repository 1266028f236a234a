// The one exception type of the end-to-end support code.
#pragma once

#include <stdexcept>

namespace vtl::e2e {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace vtl::e2e
