// Conversion between the program's UTF-8 text and the system's narrow code page, in which the
// two files the program writes are stored (GBK on the Chinese systems the program is made for).
#pragma once

#include <string>
#include <string_view>

namespace platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    // A character that the code page lacks becomes '?'.
    virtual std::string from_utf8(std::string_view utf8) const = 0;
    // Bytes that are not valid in the code page become '?'.
    virtual std::string to_utf8(std::string_view narrow) const = 0;
};

} // namespace platform
