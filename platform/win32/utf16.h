// The program's UTF-8 text and the UTF-16 that every wide Win32 call takes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring to_utf16(std::string_view utf8);
std::string to_utf8(std::wstring_view utf16);

} // namespace platform
