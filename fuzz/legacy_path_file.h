// settings.ban as earlier versions wrote and read it, kept as the yardstick that every file they
// wrote still reads as it did.
#pragma once

#include <string>
#include <string_view>

namespace fuzz::legacy {

// The path and CR LF, quoted when it holds a comma; line breaks dropped.
inline std::string path_file_text(std::string_view path)
{
    std::string line;
    for (char c : path) {
        if (c != '\r' && c != '\n') line += c;
    }
    if (line.find(',') != std::string::npos) line = '"' + line + '"';
    return line + "\r\n";
}

// The first field of a non-empty text: blanks skipped, a quoted field to the next quote, any
// other to the first comma without trailing blanks.
inline std::string first_field(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
        return std::string(line.substr(0, line.find('"')));
    }
    line = line.substr(0, line.find(','));
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    return std::string(line);
}

} // namespace fuzz::legacy
