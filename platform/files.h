// Whole-file operations built from the primitives: a file is either replaced completely or left
// exactly as it was, never half-written.
#pragma once

#include "platform/file_system.h"

#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// The program folder joined with a fixed file name, without looking for a separator already at
// the folder's end (at a drive's root the result holds two in a row, which every platform takes).
std::string program_file(const FileSystem& fs, std::string_view name);

// Writes `bytes` as the whole new content of `target`: a temporary file beside it, flushed, then
// renamed over it. On failure the temporary is gone and `target` is untouched.
std::error_code replace_file(FileSystem& fs, const std::string& target, std::string_view bytes);

// Which file is copied over which, named at the call: swapped, the two would put the game's old
// copy over the file just generated.
struct Copy {
    const std::string& source;
    const std::string& destination;
};

// Replaces the destination by a copy of the source, with the same guarantee. Copying a file onto
// itself leaves it intact.
std::error_code copy_over(FileSystem& fs, const Copy& copy);

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
