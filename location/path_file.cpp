// settings.ban, the remembered location of the game's settings file.
#include "location/path_file.h"

#include "platform/files.h"
#include "platform/text.h"

namespace location {
namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
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
        return std::string(line.substr(0, line.find('"')));
    }
    line = line.substr(0, line.find(','));
    while (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
    return std::string(line);
}

std::string path_file_text(std::string_view path)
{
    std::string line = platform::without_line_breaks(path);
    if (line.find(',') != std::string::npos) line = '"' + line + '"';
    return line + "\r\n";
}

std::optional<std::string> read_location(platform::FileSystem& files,
                                         const platform::CodePage& code_page)
{
    std::string bytes;
    if (files.read(platform::program_file(files, kPathFileName), bytes)) return std::nullopt;
    return first_field(code_page.to_utf8(bytes));
}

std::error_code write_location(platform::FileSystem& files, const platform::CodePage& code_page,
                               std::string_view path)
{
    return platform::replace_file(files, platform::program_file(files, kPathFileName),
                                  code_page.from_utf8(path_file_text(path)));
}

} // namespace location
