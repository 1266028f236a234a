// Splits one probe command line into its arguments.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "probe_protocol.hpp"

namespace vtl::probe {

class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Args {
  public:
    explicit Args(std::string_view line) : line_(line) {}

    bool atEnd() const { return line_.find_first_not_of(' ', pos_) == std::string_view::npos; }

    // Next space-separated word, unescaped.
    std::string word(const char* what) {
        skipSpaces();
        if (pos_ >= line_.size()) throw CommandError(std::string("missing ") + what);
        std::size_t end = line_.find(' ', pos_);
        if (end == std::string_view::npos) end = line_.size();
        std::string w = unescape(line_.substr(pos_, end - pos_));
        pos_ = end;
        return w;
    }

    // Everything after the separating space, unescaped; may be empty.
    std::string rest() {
        if (pos_ < line_.size() && line_[pos_] == ' ') ++pos_;
        std::string r = unescape(line_.substr(pos_));
        pos_ = line_.size();
        return r;
    }

    // Decimal with an optional sign, or hexadecimal after "0x".
    std::int64_t integer(const char* what) { return parseInteger(word(what), what); }

    // Window handles are hexadecimal, with or without "0x".
    std::uintptr_t handle(const char* what) {
        std::string w = word(what);
        std::string_view digits = w;
        if (digits.starts_with("0x") || digits.starts_with("0X")) digits.remove_prefix(2);
        return static_cast<std::uintptr_t>(parseDigits(digits, 16, what));
    }

    void end() {
        if (!atEnd()) throw CommandError("unexpected argument: " + std::string(line_.substr(pos_)));
    }

    static std::int64_t parseInteger(std::string_view text, const char* what) {
        bool negative = false;
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            negative = text.front() == '-';
            text.remove_prefix(1);
        }
        std::int64_t value = 0;
        if (text.starts_with("0x") || text.starts_with("0X")) {
            value = static_cast<std::int64_t>(parseDigits(text.substr(2), 16, what));
        } else {
            value = static_cast<std::int64_t>(parseDigits(text, 10, what));
        }
        return negative ? -value : value;
    }

  private:
    static std::uint64_t parseDigits(std::string_view digits, unsigned base, const char* what) {
        if (digits.empty() || digits.size() > 16) throw CommandError(std::string("bad ") + what);
        std::uint64_t value = 0;
        for (char c : digits) {
            unsigned d = 0;
            if (c >= '0' && c <= '9') {
                d = static_cast<unsigned>(c - '0');
            } else if (base == 16 && c >= 'a' && c <= 'f') {
                d = static_cast<unsigned>(c - 'a' + 10);
            } else if (base == 16 && c >= 'A' && c <= 'F') {
                d = static_cast<unsigned>(c - 'A' + 10);
            } else {
                throw CommandError(std::string("bad ") + what + ": " + std::string(digits));
            }
            value = value * base + d;
        }
        return value;
    }

    void skipSpaces() {
        while (pos_ < line_.size() && line_[pos_] == ' ')
            ++pos_;
    }

    std::string_view line_;
    std::size_t pos_ = 0;
};

} // namespace vtl::probe
