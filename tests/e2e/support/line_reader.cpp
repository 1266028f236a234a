#include "support/line_reader.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/error.hpp"

namespace vtl::e2e {

std::optional<std::string> LineReader::readLine(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        auto newline = buffer_.find('\n');
        if (newline != std::string::npos) {
            std::string line = buffer_.substr(0, newline);
            buffer_.erase(0, newline + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (eof_) {
            if (buffer_.empty()) return std::nullopt;
            std::string last;
            last.swap(buffer_);
            return last;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) throw Error("timed out waiting for a line");
        pollfd pfd{fd_, POLLIN, 0};
        int ready = ::poll(&pfd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) throw Error(std::string("poll failed: ") + std::strerror(errno));
        if (ready == 0) continue; // the deadline check above throws
        char buf[4096];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            buffer_.append(buf, static_cast<std::size_t>(n));
        } else if (n == 0) {
            eof_ = true;
        } else if (errno != EINTR && errno != EAGAIN) {
            throw Error(std::string("read failed: ") + std::strerror(errno));
        }
    }
}

} // namespace vtl::e2e
