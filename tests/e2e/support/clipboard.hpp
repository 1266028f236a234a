// The X clipboard as other programs see it (xclip).
#pragma once

#include <chrono>
#include <string>

namespace vtl::e2e {

class Clipboard {
  public:
    Clipboard(); // the display in $DISPLAY
    explicit Clipboard(std::string display) : display_(std::move(display)) {}

    // Text on the CLIPBOARD selection; empty when there is none or its owner does not answer
    // within the timeout.
    std::string text(std::chrono::milliseconds timeout = std::chrono::seconds(2)) const;

  private:
    std::string display_;
};

} // namespace vtl::e2e
