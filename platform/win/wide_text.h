// The one crossing between the program's UTF-8 strings and the UTF-16 of the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace ventrio {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace ventrio
