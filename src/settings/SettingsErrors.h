// Failures of the data folder and the settings file.
#pragma once

#include "ui/Error.h"

#include <string>

namespace vtl {

// A folder or file operation failed; carries the system's error code.
class EInOutError : public Error {
  public:
    EInOutError(const std::string& what, unsigned long code);
    unsigned long Code() const { return code_; }

  private:
    unsigned long code_;
};

} // namespace vtl
