// Errors of the program: exceptions carrying the message the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace vtl {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A failed system call; the message names the call and the system's error code.
class Win32Error : public Error {
  public:
    explicit Win32Error(const std::string& call);
    Win32Error(const std::string& call, unsigned long code);
    unsigned long Code() const { return code_; }

  private:
    unsigned long code_;
};

// A folder or file operation failed; carries the system's error code.
class EInOutError : public Error {
  public:
    EInOutError(const std::string& what, unsigned long code);
    unsigned long Code() const { return code_; }

  private:
    unsigned long code_;
};

// Throws Win32Error when ok is false; for calls whose failure we cannot work around.
void CheckWin32(bool ok, const char* call);

} // namespace vtl
