// settings.ban, the one-line file beside the program that remembers where the game keeps its own
// settings file.
#pragma once

#include "platform/codepage.h"
#include "platform/file_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace location {

inline constexpr std::string_view kPathFileName = "settings.ban";

// The first field of the file's text: leading blanks skipped; a field that opens with a double
// quote runs to the next one (quotes dropped), any other to the first comma or the end of the
// line, without trailing blanks. Nothing at all when the text is empty: a file without data is a
// read failure, unlike a file whose first field is empty (location not set).
std::optional<std::string> first_field(std::string_view text);

// The file's text for a path: the path and CR LF. A path holding a comma is quoted so that it
// reads back whole; line breaks are dropped.
std::string path_file_text(std::string_view path);

// The stored location, empty when not set; nothing when the file is missing, unreadable or empty.
std::optional<std::string> read_location(platform::FileSystem& files,
                                         const platform::CodePage& code_page);

std::error_code write_location(platform::FileSystem& files, const platform::CodePage& code_page,
                               std::string_view path);

} // namespace location
