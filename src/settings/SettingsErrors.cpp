#include "settings/SettingsErrors.h"

namespace vtl {

EInOutError::EInOutError(const std::string& what, unsigned long code)
    : Error(what + " (system error " + std::to_string(code) + ")"), code_(code) {}

} // namespace vtl
