// Reads "\n"-terminated lines from a descriptor, waiting at most until a deadline.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace vtl::e2e {

class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd) {}

    // The next line without its "\n" (and without a "\r" before it); nothing at end of input.
    // Throws when the deadline passes first.
    std::optional<std::string> readLine(std::chrono::steady_clock::time_point deadline);

  private:
    int fd_;
    std::string buffer_;
    bool eof_ = false;
};

} // namespace vtl::e2e
