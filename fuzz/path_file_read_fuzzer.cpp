// Reading settings.ban: any bytes give a field or nothing, never more than was there, and every
// file an earlier version could have written reads as it did then, unless its bytes do not decode
// exactly, which is no location at all.
#include "check.h"
#include "legacy_path_file.h"
#include "memory_file_system.h"
#include "utf8.h"

#include "location/path_file.h"
#include "platform/posix/iconv_code_page.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// The one shape that reads differently now: an opening quote and a line ending in quote, comma.
bool doubled_quote_shape(std::string_view text)
{
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    return line.size() >= 3 && line.front() == '"' && line.ends_with("\",");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::optional<std::string> field = location::first_field(text);
    FUZZ_CHECK(field.has_value() == !text.empty());
    if (field) {
        FUZZ_CHECK(field->find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(field->size() <= text.size());
        FUZZ_CHECK(doubled_quote_shape(text) || *field == fuzz::legacy::first_field(text));
    }

    // The file as Linux reads it, in the locale's UTF-8: a location only from well-formed text,
    // and then exactly the first field.
    static const platform::IconvCodePage utf8("UTF-8");
    fuzz::MemoryFileSystem files;
    files.files["/program/settings.ban"] = std::string(text);
    const std::optional<std::string> location = location::read_location(files, utf8);
    FUZZ_CHECK(location.has_value() == (!text.empty() && fuzz::is_utf8(text)));
    if (location) FUZZ_CHECK(*location == *field);
    return 0;
}
