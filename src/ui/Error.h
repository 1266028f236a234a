// Errors of the program: exceptions carrying the message the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace vtl {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    // A message that may name a path in letters the system code page has not.
    explicit Error(const std::wstring& text);
    // The message as the user reads it.
    std::wstring Text() const;

  private:
    std::wstring text_; // empty: the 8-bit message is the whole of it
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
    // what, then the system's reason in words on a line of its own.
    EInOutError(const std::wstring& what, unsigned long code);
    unsigned long Code() const { return code_; }

  private:
    unsigned long code_;
};

// The system's words for an error code, with the code: "Access is denied (code 5)".
std::wstring SystemReason(unsigned long code);

// Throws Win32Error when ok is false; for calls whose failure we cannot work around.
void CheckWin32(bool ok, const char* call);

} // namespace vtl
