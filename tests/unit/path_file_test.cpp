// Reading and writing settings.ban's one line.
#include "location/path_file.h"

#include <gtest/gtest.h>

namespace {

using location::first_field;
using location::path_file_text;

// The lines the program writes are read back in the test below.
TEST(PathFile, FirstFieldOfTheText)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        // clang-format off
        {"", std::nullopt},
        {"C:\\no line break.ini", "C:\\no line break.ini"},
        {"\r\n", ""},
        {"\n", ""},
        {"      \r\n", ""},
        {"   C:\\x.ini\r\n", "C:\\x.ini"},
        {"\t C:\\x.ini \t\r\n", "C:\\x.ini"},
        {"D:\\Old,New\\x.ini\r\n", "D:\\Old"},
        {",D:\\x.ini\r\n", ""},
        {"  \"D:\\a b\\x.ini\",more\r\n", "D:\\a b\\x.ini"},
        {"\"unclosed\r\nsecond\"\r\n", "unclosed"},
        {"\"\"\r\n", ""},
        // A quote in the path: doubled inside the quotes, and a comma after them.
        {"\"\"\"quoted\"\" dir\",\r\n", "\"quoted\" dir"},
        {"\"\",\r\n", ""},
        // Other lines with quotes read as they always did.
        {"\"a\"\"b\"\r\n", "a"},
        {"\"a\"b\",\r\n", "a"},
        {"\"a\"\"b\", \r\n", "a"},
        {"first.ini\r\nsecond.ini\r\n", "first.ini"},
        {"\r\nsecond.ini\r\n", ""},
        // clang-format on
    };
    for (const auto& [text, field] : cases) EXPECT_EQ(first_field(text), field) << text;
}

// The bytes written for a path, and what reads back from them: the path as typed.
TEST(PathFile, WrittenLineReadsBackAsTyped)
{
    const struct {
        const char* what;
        std::string path;
        std::string text;
        // What the first field reads; the path itself when not given.
        std::optional<std::string> read_back = std::nullopt;
    } cases[] = {
        // clang-format off
        {"plain", "C:\\Games\\Data\\svrcfg_skirmish.ini", "C:\\Games\\Data\\svrcfg_skirmish.ini\r\n"},
        {"comma", "D:\\Old,New\\x.ini", "\"D:\\Old,New\\x.ini\"\r\n"},
        {"comma, Chinese", "E:\\游戏,存档\\x.ini", "\"E:\\游戏,存档\\x.ini\"\r\n"},
        {"blanks are not set", "   ", "   \r\n", ""},
        {"line breaks dropped", "C:\\pasted\r\n.ini", "C:\\pasted.ini\r\n", "C:\\pasted.ini"},
        {"quote inside", "/home/a\"b/x.ini", "/home/a\"b/x.ini\r\n"},
        // Found by fuzzing: each used to read back cut or changed.
        {"leading quote", "\"\b", "\"\"\"\b\",\r\n"},
        {"leading tab", "\tAW", "\"\tAW\"\r\n"},
        {"trailing tab", ":[\t", "\":[\t\"\r\n"},
        {"trailing space", "/tmp/x.ini ", "\"/tmp/x.ini \"\r\n"},
        {"quote and comma", "/home/a \"b\", c/x.ini", "\"/home/a \"\"b\"\", c/x.ini\",\r\n"},
        {"quote at the end", "/a,b\"", "\"/a,b\"\"\",\r\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(path_file_text(c.path), c.text);
        EXPECT_EQ(first_field(c.text), c.read_back.value_or(c.path));
    }
}

} // namespace
