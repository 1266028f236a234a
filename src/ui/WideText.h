// Text between the system code page and UTF-16. The program's texts are 8-bit; paths of the
// data folder are UTF-16, since a user's folder may hold letters the code page has not.
#pragma once

#include <string>
#include <string_view>

namespace vtl {

std::wstring Widen(std::string_view text);
// The nearest the code page has: letters it lacks become '?' or a look-alike.
std::string Narrow(std::wstring_view text);
// Narrow; false when the text does not come back the same, letter for letter.
bool NarrowExactly(std::wstring_view text, std::string& out);

} // namespace vtl
