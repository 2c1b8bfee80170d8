// The Settings window's line: every path a user can type and a file system can hold (any bytes
// but CR, LF and NUL) is written so that it reads back whole, through the file as well where the
// locale's codeset holds it exactly.
#include "check.h"
#include "legacy_path_file.h"
#include "memory_file_system.h"
#include "utf8.h"

#include "location/path_file.h"
#include "platform/posix/iconv_code_page.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool only_blanks(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c != '\r' && c != '\n' && c != '\0') path += c;
    }
    // Blanks alone are no path: the Settings window stores them, and they read back as not set.
    const std::string expected = only_blanks(path) ? "" : path;

    const std::string text = location::path_file_text(path);
    FUZZ_CHECK(text.ends_with("\r\n"));
    FUZZ_CHECK(text.find_first_of("\r\n") == text.size() - 2);
    FUZZ_CHECK(location::first_field(text) == expected);

    // A path that earlier versions already kept whole is written as they wrote it, and what they
    // wrote for any path reads as it did.
    const std::string legacy_text = fuzz::legacy::path_file_text(path);
    if (fuzz::legacy::first_field(legacy_text) == expected) FUZZ_CHECK(text == legacy_text);
    FUZZ_CHECK(location::first_field(legacy_text) == fuzz::legacy::first_field(legacy_text));

    // Through the file, in the locale's UTF-8: a path that is text reads back whole; any other is
    // refused and writes nothing, since a '?' in its place would name another file.
    static const platform::IconvCodePage utf8("UTF-8");
    fuzz::MemoryFileSystem files;
    const std::error_code written = location::write_location(files, utf8, path);
    if (fuzz::is_utf8(path)) {
        FUZZ_CHECK(!written);
        FUZZ_CHECK(location::read_location(files, utf8) == expected);
    } else {
        FUZZ_CHECK(written && files.files.empty());
    }
    return 0;
}
