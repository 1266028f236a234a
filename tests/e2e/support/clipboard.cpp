#include "support/clipboard.hpp"

#include "support/config.hpp"
#include "support/error.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

Clipboard::Clipboard() : display_(config::display()) {}

std::string Clipboard::text(std::chrono::milliseconds timeout) const {
    try {
        auto result =
            runCommand({"xclip", "-display", display_, "-o", "-selection", "clipboard"}, timeout);
        return result.exitCode == 0 ? result.out : std::string();
    } catch (const Error&) {
        return {}; // the owner did not answer in time
    }
}

} // namespace vtl::e2e
