// Telling well-formed UTF-8 from the rest, independently of the converters it checks: the
// standard library's own decoder.
#pragma once

#include <cstddef>
#include <cwchar>
#include <locale>
#include <string_view>

namespace fuzz {

// The length of the well-formed character at the start of `text`, 0 when it is malformed.
inline std::size_t utf8_length(std::string_view text)
{
    static const auto& utf8 = std::use_facet<std::codecvt<char32_t, char8_t, std::mbstate_t>>(
        std::locale::classic());
    std::mbstate_t state{};
    const auto* from = reinterpret_cast<const char8_t*>(text.data());
    const char8_t* next = from;
    char32_t c = 0;
    char32_t* to = &c;
    utf8.in(state, from, from + text.size(), next, &c, &c + 1, to);
    // That decoder lets surrogates through, which UTF-8 has none of.
    return to == &c || (c >= 0xD800 && c <= 0xDFFF) ? 0 : static_cast<std::size_t>(next - from);
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
