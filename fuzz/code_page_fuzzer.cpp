// UTF-8 to GBK and back with iconv: any bytes convert without a crash, a character GBK lacks (and
// a malformed byte) comes back as one '?', everything else as itself, and GBK text round-trips
// exactly. In a UTF-8 locale, what a file holds reads as UTF-8, unchanged when it was UTF-8.
#include "check.h"
#include "utf8.h"

#include "platform/posix/iconv_code_page.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const platform::IconvCodePage gbk("GBK");
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // The input as the program's UTF-8 text, as a file would store it.
    const std::string stored = gbk.from_utf8(input);
    const std::string back = gbk.to_utf8(stored);
    FUZZ_CHECK(fuzz::is_utf8(back));
    std::string_view rest = input;
    std::string_view came_back = back;
    while (!rest.empty()) {
        const std::size_t length = fuzz::utf8_length(rest);
        const std::string_view character = rest.substr(0, length == 0 ? 1 : length);
        const bool kept = length != 0 && came_back.starts_with(character);
        FUZZ_CHECK(kept || came_back.starts_with('?'));
        came_back.remove_prefix(kept ? character.size() : 1);
        rest.remove_prefix(character.size());
    }
    FUZZ_CHECK(came_back.empty());
    // What the program stores, it reads back and stores again unchanged.
    FUZZ_CHECK(gbk.from_utf8(back) == stored);

    // The input as GBK bytes, as a file might hold them: a conversion that reports itself exact
    // (no byte was wrong) gives the very same bytes when written again, and one that does not
    // put a '?' in.
    const platform::Converted read = gbk.decode(input);
    FUZZ_CHECK(fuzz::is_utf8(read.text));
    FUZZ_CHECK(read.exact || std::count(read.text.begin(), read.text.end(), '?') >
                                 std::count(input.begin(), input.end(), '?'));
    if (read.exact) FUZZ_CHECK(gbk.from_utf8(read.text) == input);

    // In a UTF-8 locale exactly the well-formed input is exact, and it stays as it is.
    static const platform::IconvCodePage utf8("UTF-8");
    const platform::Converted text = utf8.decode(input);
    FUZZ_CHECK(fuzz::is_utf8(text.text));
    FUZZ_CHECK(text.text.size() == input.size());
    FUZZ_CHECK(text.exact == fuzz::is_utf8(input));
    if (text.exact) FUZZ_CHECK(text.text == input && utf8.from_utf8(text.text) == input);
    return 0;
}
