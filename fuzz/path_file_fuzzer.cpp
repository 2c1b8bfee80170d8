// settings.ban, read and written. Any bytes in the file give a field or nothing, never more than
// was there, and every file an earlier version could have written reads as it did then, unless
// its bytes do not decode exactly, which is no location at all. The same bytes less CR, LF and NUL
// are a path a user can type in the Settings window and a file system can hold: it is written so
// that it reads back whole, through the file as well where the locale's codeset holds it exactly.
#include "check.h"
#include "utf8.h"

#include "location/path_file.h"
#include "platform/file_system.h"
#include "platform/posix/iconv_code_page.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace {

// A file system held in memory, so that settings.ban is written and read thousands of times a
// second without touching the disk. A handle is the written file's own bytes.
class MemoryFileSystem final : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;

    MemoryFileSystem() : FileSystem("/program", '/') {}
    std::error_code create_temp_beside(const std::string& target, std::string& temp_path,
                                       platform::FileHandle& handle) override
    {
        temp_path = target + ".tmp";
        handle = reinterpret_cast<platform::FileHandle>(&(files[temp_path] = ""));
        return {};
    }
    std::error_code write(platform::FileHandle handle, std::string_view bytes) override
    {
        *reinterpret_cast<std::string*>(handle) += bytes;
        return {};
    }
    std::error_code flush(platform::FileHandle) override { return {}; }
    std::error_code close(platform::FileHandle) override { return {}; }
    std::error_code rename_over(const std::string& from, const std::string& to) override
    {
        files[to] = files[from];
        files.erase(from);
        return {};
    }
    void remove(const std::string& path) override { files.erase(path); }
    std::error_code check_replaceable(const std::string&) override { return {}; }
    std::error_code read(const std::string& path, std::string& bytes) override
    {
        const auto found = files.find(path);
        if (found == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
        bytes = found->second;
        return {};
    }
};

// The first line without its leading blanks.
std::string_view unindented_line(std::string_view text)
{
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
    return line;
}

// settings.ban as earlier versions wrote it, kept as the yardstick that every file they wrote
// still reads as it did: the path (no line breaks in it) and CR LF, quoted when it holds a comma.
std::string legacy_text(const std::string& path)
{
    return (path.find(',') != std::string::npos ? '"' + path + '"' : path) + "\r\n";
}

// And as they read it: the first field of a non-empty text, blanks skipped, a quoted field to the
// next quote, any other to the first comma without trailing blanks.
std::string legacy_field(std::string_view text)
{
    std::string_view line = unindented_line(text);
    if (line.starts_with('"')) return std::string(line.substr(1, line.find('"', 1) - 1));
    line = line.substr(0, line.find(','));
    return std::string(line.substr(0, line.find_last_not_of(" \t") + 1));
}

// The one shape that reads differently now: an opening quote and a line ending in quote, comma.
bool doubled_quote_shape(std::string_view text)
{
    const std::string_view line = unindented_line(text);
    return line.size() >= 3 && line.starts_with('"') && line.ends_with("\",");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The file as Linux reads and writes it, in the locale's UTF-8.
    static const platform::IconvCodePage utf8("UTF-8");
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::optional<std::string> field = location::first_field(text);
    FUZZ_CHECK(field.has_value() == !text.empty());
    if (field) {
        FUZZ_CHECK(field->find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(field->size() <= text.size());
        FUZZ_CHECK(doubled_quote_shape(text) || *field == legacy_field(text));
    }
    // Through the file: a location only from well-formed text, and then exactly the first field.
    MemoryFileSystem files;
    files.files["/program/settings.ban"] = std::string(text);
    const std::optional<std::string> location = location::read_location(files, utf8);
    FUZZ_CHECK(location.has_value() == (!text.empty() && fuzz::is_utf8(text)));
    if (location) FUZZ_CHECK(*location == *field);

    std::string path(text);
    std::erase_if(path, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    // Blanks alone are no path: the Settings window stores them, and they read back as not set.
    const std::string expected = path.find_first_not_of(" \t") == std::string::npos ? "" : path;
    const std::string written = location::path_file_text(path);
    // One line: CR LF at its end and nowhere else.
    FUZZ_CHECK(written.find_first_of("\r\n") == written.size() - 2 && written.ends_with("\r\n"));
    FUZZ_CHECK(location::first_field(written) == expected);

    // A path that earlier versions already kept whole is written as they wrote it, and what they
    // wrote for any path reads as it did.
    const std::string old_text = legacy_text(path);
    if (legacy_field(old_text) == expected) FUZZ_CHECK(written == old_text);
    FUZZ_CHECK(location::first_field(old_text) == legacy_field(old_text));

    // Through the file: a path that is text reads back whole; any other is refused and writes
    // nothing, since a '?' in its place would name another file.
    files.files.clear();
    const std::error_code error = location::write_location(files, utf8, path);
    if (fuzz::is_utf8(path)) {
        FUZZ_CHECK(!error);
        FUZZ_CHECK(location::read_location(files, utf8) == expected);
    } else {
        FUZZ_CHECK(error && files.files.empty());
    }
    return 0;
}
