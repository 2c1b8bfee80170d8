// What only the Windows converter does: code pages by number, characters past U+FFFF, no
// look-alikes.
#include "platform/win32/ansi_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::AnsiCodePage;

enum class Direction { FromUtf8, ToUtf8 };

const char* const kUtf8Path = "D:\\\xE6\xB8\xB8\xE6\x88\x8F\\Korvane\\Data\\svrcfg_skirmish.ini";
const char* const kGrin = "\xF0\x9F\x98\x80"; // U+1F600, a surrogate pair in UTF-16

TEST(AnsiCodePage, ConvertsByNumberWithoutLookAlikes)
{
    const struct {
        const char* what;
        unsigned code_page;
        Direction direction;
        std::string input;
        std::string expected;
    } cases[] = {
        {"Western letter to 1252", 1252, Direction::FromUtf8, "caf\xC3\xA9", "caf\xE9"},
        {"Western letter from 1252", 1252, Direction::ToUtf8, "caf\xE9", "caf\xC3\xA9"},
        // The system would write a plain A for A-macron; a path with a changed letter names
        // another file, so it is marked instead.
        {"no look-alike for a letter 1252 lacks", 1252, Direction::FromUtf8,
         "\xC4\x80"
         "b",
         "?b"},
        {"UTF-8 code page keeps the text", 65001, Direction::FromUtf8,
         std::string(kUtf8Path) + kGrin, std::string(kUtf8Path) + kGrin},
        {"UTF-8 code page reads the text as it is", 65001, Direction::ToUtf8, kUtf8Path, kUtf8Path},
        {"unknown code page keeps the text", 59999, Direction::FromUtf8, kUtf8Path, kUtf8Path},
        {"unknown code page keeps the bytes", 59999, Direction::ToUtf8, "a\xD3\xCE", "a\xD3\xCE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AnsiCodePage code_page(c.code_page);
        const std::string output = c.direction == Direction::FromUtf8 ? code_page.from_utf8(c.input)
                                                                      : code_page.to_utf8(c.input);
        EXPECT_EQ(output, c.expected);
    }
}

} // namespace
