// settings.ban, the remembered location of the game's settings file.
#include "location/path_file.h"

#include "platform/files.h"

namespace location {
namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

bool only_blanks(std::string_view text)
{
    for (char c : text) {
        if (!is_blank(c)) return false;
    }
    return true;
}

// The path from the doubled-quote form, given what follows the opening quote; nothing when the
// line has another shape.
std::optional<std::string> doubled_quote_field(std::string_view rest)
{
    std::string field;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '"') {
            field += rest[i];
        } else if (i + 1 < rest.size() && rest[i + 1] == '"') {
            field += '"';
            ++i;
        } else {
            if (rest.substr(i + 1) == ",") return field;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Whether the path is written as it stands: reading would neither cut nor trim it, or it is blanks
// only, which the Settings window stores as typed and which reads back as the location not set.
bool reads_back_plain(std::string_view path)
{
    if (only_blanks(path)) return true;
    return path.find(',') == std::string_view::npos && !is_blank(path.front()) &&
           path.front() != '"' && !is_blank(path.back());
}

} // namespace

std::optional<std::string> first_field(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    std::size_t start = 0;
    while (start < line.size() && is_blank(line[start])) ++start;
    line.remove_prefix(start);
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
        if (std::optional<std::string> field = doubled_quote_field(line)) return field;
        return std::string(line.substr(0, line.find('"')));
    }
    line = line.substr(0, line.find(','));
    while (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
    return std::string(line);
}

std::string path_file_text(std::string_view path)
{
    const std::string line = platform::without_line_breaks(path);
    if (reads_back_plain(line)) return line + "\r\n";
    if (line.find('"') == std::string::npos) return '"' + line + "\"\r\n";
    std::string doubled = "\"";
    for (char c : line) {
        doubled += c;
        if (c == '"') doubled += '"';
    }
    return doubled + "\",\r\n";
}

std::optional<std::string> read_location(platform::FileSystem& files,
                                         const platform::CodePage& code_page)
{
    std::string bytes;
    if (const std::error_code failed =
            files.read(platform::program_file(files, kPathFileName), bytes))
        return std::nullopt;
    // Bytes that do not decode exactly would name another file: that is no location either.
    const std::optional<std::string> text = platform::exact_to_utf8(code_page, bytes);
    if (!text) return std::nullopt;
    return first_field(*text);
}

std::error_code write_location(platform::FileSystem& files, const platform::CodePage& code_page,
                               std::string_view path)
{
    // A path the codeset cannot hold is refused, not stored with a '?' that names another file.
    const std::optional<std::string> bytes =
        platform::exact_from_utf8(code_page, path_file_text(path));
    if (!bytes) return std::make_error_code(std::errc::illegal_byte_sequence);
    return platform::replace_file(files, platform::program_file(files, kPathFileName), *bytes);
}

} // namespace location
