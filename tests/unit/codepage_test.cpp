// Conversion between UTF-8 and GBK with the platform's own converter: what the program's two
// files hold on the Chinese systems it is made for, and what GBK cannot represent.
#include "support/native.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Direction { FromUtf8, ToUtf8 };

const char* const kUtf8Path = "D:\\\xE6\xB8\xB8\xE6\x88\x8F\\Korvane\\Data\\svrcfg_skirmish.ini";
// 游戏 is D3CE CFB7 in GBK.
const char* const kGbkPath = "D:\\\xD3\xCE\xCF\xB7\\Korvane\\Data\\svrcfg_skirmish.ini";

TEST(GbkCodePage, ConvertsAndMarksWhatCannotBeConvertedWithAQuestionMark)
{
    const struct {
        const char* what;
        Direction direction;
        std::string input;
        std::string expected;
    } cases[] = {
        {"Chinese path to GBK", Direction::FromUtf8, kUtf8Path, kGbkPath},
        {"Chinese path from GBK", Direction::ToUtf8, kGbkPath, kUtf8Path},
        {"ASCII to GBK", Direction::FromUtf8, "Port=4000\r\n", "Port=4000\r\n"},
        {"ASCII from GBK", Direction::ToUtf8, "Port=4000\r\n", "Port=4000\r\n"},
        {"empty to GBK", Direction::FromUtf8, "", ""},
        {"empty from GBK", Direction::ToUtf8, "", ""},
        {"Hangul, which GBK lacks", Direction::FromUtf8,
         "a\xED\x95\x9C"
         "b",
         "a?b"},
        {"emoji, one mark for four bytes", Direction::FromUtf8,
         "a\xF0\x9F\x98\x80"
         "b",
         "a?b"},
        {"two emoji in a row", Direction::FromUtf8, "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", "??"},
        {"invalid UTF-8 byte", Direction::FromUtf8,
         "a\xFF"
         "b",
         "a?b"},
    };
    const auto code_page = testing_support::gbk_code_page();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string output = c.direction == Direction::FromUtf8 ? code_page.from_utf8(c.input)
                                                                      : code_page.to_utf8(c.input);
        EXPECT_EQ(output, c.expected);
    }
}

} // namespace
