// Reading and writing settings.ban's one line.
#include "location/path_file.h"

#include <random>

#include <gtest/gtest.h>

namespace {

using location::first_field;
using location::path_file_text;

TEST(PathFile, FirstFieldOfTheText)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        // clang-format off
        {"", std::nullopt},
        {"C:\\Games\\Data\\svrcfg_skirmish.ini\r\n", "C:\\Games\\Data\\svrcfg_skirmish.ini"},
        {"C:\\no line break.ini", "C:\\no line break.ini"},
        {"\r\n", ""},
        {"\n", ""},
        {"      \r\n", ""},
        {"   C:\\x.ini\r\n", "C:\\x.ini"},
        {"\t C:\\x.ini \t\r\n", "C:\\x.ini"},
        {"D:\\Old,New\\x.ini\r\n", "D:\\Old"},
        {",D:\\x.ini\r\n", ""},
        {"\"D:\\Old,New\\x.ini\"\r\n", "D:\\Old,New\\x.ini"},
        {"  \"D:\\a b\\x.ini\",more\r\n", "D:\\a b\\x.ini"},
        {"\"unclosed\r\nsecond\"\r\n", "unclosed"},
        {"\"\"\r\n", ""},
        {"first.ini\r\nsecond.ini\r\n", "first.ini"},
        {"\r\nsecond.ini\r\n", ""},
        // clang-format on
    };
    for (const auto& [text, field] : cases) EXPECT_EQ(first_field(text), field) << text;
}

TEST(PathFile, TextOfAPath)
{
    const std::pair<std::string, std::string> cases[] = {
        // clang-format off
        {"C:\\Games\\Data\\svrcfg_skirmish.ini", "C:\\Games\\Data\\svrcfg_skirmish.ini\r\n"},
        {"D:\\Old,New\\x.ini", "\"D:\\Old,New\\x.ini\"\r\n"},
        {"   ", "   \r\n"},
        {"C:\\pasted\r\n.ini", "C:\\pasted.ini\r\n"},
        {"E:\\游戏,存档\\x.ini", "\"E:\\游戏,存档\\x.ini\"\r\n"},
        // clang-format on
    };
    for (const auto& [path, text] : cases) EXPECT_EQ(path_file_text(path), text) << path;
}

// Whatever a user can type as a path (no line breaks or quotes, no blanks at either end)
// reads back as typed.
TEST(PathFile, WrittenPathsReadBackWhole)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "abcXYZ019 ,.\\/:_-()";
    for (int i = 0; i < 20000; ++i) {
        std::string path(1 + random() % 40, ' ');
        for (char& c : path) c = alphabet[random() % alphabet.size()];
        if (path.front() == ' ' || path.back() == ' ') continue;
        ASSERT_EQ(first_field(path_file_text(path)), path) << path;
    }
}

// Any bytes at all: a field never holds a line break, and only an empty text is no data.
TEST(PathFile, ReadingArbitraryBytesIsSafe)
{
    std::mt19937 random(6122026);
    for (int i = 0; i < 20000; ++i) {
        std::string text(random() % 64, '\0');
        for (char& c : text) c = static_cast<char>(random() % 256);
        const std::optional<std::string> field = first_field(text);
        ASSERT_EQ(field.has_value(), !text.empty());
        if (field) {
            EXPECT_EQ(field->find_first_of("\r\n"), std::string::npos);
            EXPECT_LE(field->size(), text.size());
        }
    }
}

} // namespace
