// Conversion between the program's UTF-8 text and the system's narrow code page, in which the
// two files the program writes are stored (GBK on the Chinese systems the program is made for).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Converted text, and whether it came through whole: false where a '?' stands for something the
// other side could not hold.
struct Converted {
    std::string text;
    bool exact = true;
};

class CodePage {
public:
    virtual ~CodePage() = default;
    // A character that the code page lacks becomes '?'.
    virtual Converted encode(std::string_view utf8) const = 0;
    // Bytes that are not valid in the code page become '?'.
    virtual Converted decode(std::string_view narrow) const = 0;

    std::string from_utf8(std::string_view utf8) const { return encode(utf8).text; }
    std::string to_utf8(std::string_view narrow) const { return decode(narrow).text; }
};

// A path converts exactly or not at all: a '?' in its place would name another file, and on
// Linux '?' is an ordinary file-name character.
inline std::optional<std::string> exact_from_utf8(const CodePage& code_page, std::string_view utf8)
{
    Converted converted = code_page.encode(utf8);
    if (!converted.exact) return std::nullopt;
    return std::move(converted.text);
}

inline std::optional<std::string> exact_to_utf8(const CodePage& code_page, std::string_view narrow)
{
    Converted converted = code_page.decode(narrow);
    if (!converted.exact) return std::nullopt;
    return std::move(converted.text);
}

} // namespace platform
