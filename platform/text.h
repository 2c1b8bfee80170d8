// Small text helpers shared by the two file writers.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A value bound for a one-line-per-entry file loses its CR and LF characters: a pasted line break
// would otherwise start a line of its own in the file.
inline std::string without_line_breaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n') out += c;
    }
    return out;
}

} // namespace platform
