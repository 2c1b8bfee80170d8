// Telling well-formed UTF-8 from the rest, independently of the converters it checks.
#pragma once

#include <cstddef>
#include <string_view>

namespace fuzz {

// The length of the well-formed character at the start of `text`, 0 when it is malformed.
inline std::size_t utf8_length(std::string_view text)
{
    if (text.empty()) return 0;
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t length = 0;
    unsigned code_point = 0;
    if (byte(0) < 0x80) return 1;
    if ((byte(0) & 0xE0) == 0xC0) {
        length = 2;
        code_point = byte(0) & 0x1F;
    } else if ((byte(0) & 0xF0) == 0xE0) {
        length = 3;
        code_point = byte(0) & 0x0F;
    } else if ((byte(0) & 0xF8) == 0xF0) {
        length = 4;
        code_point = byte(0) & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code_point = code_point << 6 | (byte(i) & 0x3F);
    }
    constexpr unsigned kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code_point < kLeast[length] || code_point > 0x10FFFF) return 0;
    if (code_point >= 0xD800 && code_point <= 0xDFFF) return 0;
    return length;
}

inline bool is_utf8(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = utf8_length(text);
        if (length == 0) return false;
        text.remove_prefix(length);
    }
    return true;
}

} // namespace fuzz
