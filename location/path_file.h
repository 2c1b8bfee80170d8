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
// One line more is read its own way: an opening quote, the path with each quote doubled, a closing
// quote and a comma that ends the line. No earlier file has that shape (a quoted path used to end
// with its quote), so every file written before keeps its old reading.
std::optional<std::string> first_field(std::string_view text);

// The file's text for a path: one line and CR LF, line breaks dropped from the path. Whatever
// reads back whole as it stands is written as it stands; a path that would not (a comma in it,
// blanks at either end, a quote at its start) is quoted, and, when it holds a quote of its own,
// written in the doubled-quote form above. A path of blanks only stays as typed: it reads back as
// the location not set.
std::string path_file_text(std::string_view path);

// The stored location, empty when not set; nothing when the file is missing, unreadable, empty or
// holds bytes that do not decode exactly.
std::optional<std::string> read_location(platform::FileSystem& files,
                                         const platform::CodePage& code_page);

std::error_code write_location(platform::FileSystem& files, const platform::CodePage& code_page,
                               std::string_view path);

} // namespace location
