// What only iconv does: codesets by name, the locale's codeset, and how it marks broken input.
#include "platform/posix/iconv_code_page.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using platform::IconvCodePage;

enum class Direction { FromUtf8, ToUtf8 };

const char* const kUtf8Path = "D:\\\xE6\xB8\xB8\xE6\x88\x8F\\Korvane\\Data\\svrcfg_skirmish.ini";

TEST(IconvCodePage, MarksEachBrokenByteAndKeepsTextItCannotConvert)
{
    const struct {
        const char* what;
        const char* codeset;
        Direction direction;
        std::string input;
        std::string expected;
    } cases[] = {
        {"cut UTF-8 character, one mark a byte", "GBK", Direction::FromUtf8,
         "a\xE6\xB8"
         "b",
         "a??b"},
        {"cut UTF-8 character at the end", "GBK", Direction::FromUtf8, "a\xE6\xB8", "a??"},
        {"invalid GBK byte", "GBK", Direction::ToUtf8,
         "a\xFF"
         "b",
         "a?b"},
        {"GBK lead byte without its trail", "GBK", Direction::ToUtf8, "a\x81 b", "a? b"},
        {"GBK lead byte at the end", "GBK", Direction::ToUtf8, "a\xD3", "a?"},
        {"UTF-8 codeset keeps the text", "UTF-8", Direction::FromUtf8, kUtf8Path, kUtf8Path},
        {"UTF-8 codeset reads the text as it is", "UTF-8", Direction::ToUtf8, kUtf8Path, kUtf8Path},
        {"unknown codeset keeps the bytes", "NO-SUCH-CODESET", Direction::FromUtf8, kUtf8Path,
         kUtf8Path},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const IconvCodePage code_page(c.codeset);
        const std::string output = c.direction == Direction::FromUtf8 ? code_page.from_utf8(c.input)
                                                                      : code_page.to_utf8(c.input);
        EXPECT_EQ(output, c.expected);
    }
}

TEST(IconvCodePage, OfLocaleFollowsTheCharacterTypeLocale)
{
    const struct {
        const char* locale;
        std::string expected;
    } cases[] = {
        {"C.UTF-8", "a\xE6\xB8\xB8"},
        {"C", "a?"},
    };
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        if (std::setlocale(LC_CTYPE, c.locale) == nullptr) {
            ADD_FAILURE() << "locale not installed";
            continue;
        }
        EXPECT_EQ(IconvCodePage::of_locale().from_utf8("a\xE6\xB8\xB8"), c.expected);
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}

} // namespace
