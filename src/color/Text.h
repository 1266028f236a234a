#pragma once

#include <stdexcept>
#include <string>

namespace vtl {

// A text that does not convert to the wanted value.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Integer text: leading spaces, an optional sign, then decimal digits or a hexadecimal
// marker ("$", "x", "X", "0x", "0X") with hexadecimal digits of either case, and nothing
// after. Decimal values must fit a signed 32-bit integer. Hexadecimal values may use all
// 32 bits ("$FFFFFFFF" is -1) and a sign negates that bit pattern; leading zeros are free.
// Throws EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);

// As StrToInt without throwing; value is left alone on failure.
bool TryStrToInt(const std::string& text, int& value);

// Drops leading and trailing characters with codes 0..32.
std::string TrimControl(const std::string& text);
// A to Z as a to z; every other character as it is.
std::string LowerCase(std::string text);

} // namespace vtl
