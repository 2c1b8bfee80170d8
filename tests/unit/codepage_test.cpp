// UTF-8 to and from GBK (and a few other code pages) with the platform's own converter.
#include "support/native.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

const std::string kUtf8Path = "D:\\\xE6\xB8\xB8\xE6\x88\x8F\\Korvane\\Data\\svrcfg_skirmish.ini";
// 游戏 is D3CE CFB7 in GBK.
const std::string kGbkPath = "D:\\\xD3\xCE\xCF\xB7\\Korvane\\Data\\svrcfg_skirmish.ini";
const std::string kGrin = "\xF0\x9F\x98\x80"; // U+1F600, a surrogate pair in UTF-16

// Every mark also makes the conversion inexact, which is what keeps a marked path from naming
// another file.
TEST(GbkCodePage, ConvertsAndMarksWhatCannotBeConvertedWithAQuestionMark)
{
    enum Direction { FromUtf8, ToUtf8 };
    const struct {
        const char* what;
        Direction direction;
        std::string input;
        std::string expected;
        bool exact;
    } cases[] = {
        // clang-format off
        {"Chinese path to GBK", FromUtf8, kUtf8Path, kGbkPath, true},
        {"Chinese path from GBK", ToUtf8, kGbkPath, kUtf8Path, true},
        {"a question mark of the text's own", ToUtf8, "a?b", "a?b", true},
        {"Hangul, which GBK lacks", FromUtf8, "a\uD55Cb", "a?b", false},
        {"one mark for each emoji", FromUtf8, "a" + kGrin + kGrin + "b", "a??b", false},
        {"a tag character, which iconv would drop unmarked", FromUtf8, "a\xF3\xA0\x80\xA0" "b", "a?b", false},
        {"invalid UTF-8 byte", FromUtf8, "a\xFF" "b", "a?b", false},
#ifndef _WIN32
        // iconv reports a cut character and one at the end of the input in ways of their own.
        {"cut UTF-8 character, one mark a byte", FromUtf8, "a\xE6\xB8" "b", "a??b", false},
        {"cut UTF-8 character at the end", FromUtf8, "a\xE6\xB8", "a??", false},
        {"invalid GBK byte", ToUtf8, "a\xFF" "b", "a?b", false},
        {"GBK lead byte at the end", ToUtf8, "a\xD3", "a?", false},
#endif
        // clang-format on
    };
    const auto gbk = testing_support::gbk_code_page();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const platform::Converted converted =
            c.direction == FromUtf8 ? gbk.encode(c.input) : gbk.decode(c.input);
        EXPECT_EQ(converted.text, c.expected);
        EXPECT_EQ(converted.exact, c.exact);
    }
}

#ifdef _WIN32
TEST(AnsiCodePage, MarksWhatItLacksWithoutLookAlikesAndKeepsEverythingInUtf8)
{
    // The system would write a plain A for A-macron; a path with a changed letter names another
    // file.
    EXPECT_EQ(platform::AnsiCodePage(1252).from_utf8("\u0100b"), "?b");
    // UTF-8 refuses the flag that keeps look-alikes out.
    EXPECT_EQ(platform::AnsiCodePage(65001).from_utf8(kUtf8Path + kGrin), kUtf8Path + kGrin);
}
#else
TEST(IconvCodePage, OfLocaleFollowsTheCharacterTypeLocale)
{
    const std::pair<const char*, std::string> cases[] = {{"C", "a?"}, {"C.UTF-8", "a\xE6\xB8\xB8"}};
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    for (const auto& [locale, expected] : cases) {
        SCOPED_TRACE(locale);
        ASSERT_NE(std::setlocale(LC_CTYPE, locale), nullptr) << "locale not installed";
        EXPECT_EQ(platform::IconvCodePage::of_locale().from_utf8("a\xE6\xB8\xB8"), expected);
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}

// iconv takes code points past U+10FFFF as UTF-8; a file holding one must still give UTF-8 text.
TEST(IconvCodePage, Utf8LocaleReadsOnlyWellFormedText)
{
    const std::pair<std::string, std::string> cases[] = {
        {kUtf8Path, kUtf8Path},
        {"a\xF4\x90\x80\x80z", "a????z"},               // U+110000
        {"\"\xF6\x8C\x9A\xA3ond\"\r", "\"????ond\"\r"}, // found by fuzzing settings.ban
        {"a\xED\xA0\x80z", "a???z"},                    // a lone surrogate
    };
    const platform::IconvCodePage utf8("UTF-8");
    for (const auto& [bytes, text] : cases) EXPECT_EQ(utf8.to_utf8(bytes), text);
    // Nor is such text stored as if it were exact: it would not read back.
    EXPECT_FALSE(utf8.encode("a\xF4\x90\x80\x80").exact);
}
#endif

} // namespace
