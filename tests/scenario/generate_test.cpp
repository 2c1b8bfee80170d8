// The generate button writes the main window's fields as the game's settings file.
#include "support/harness.h"

#include <gtest/gtest.h>

namespace {

using testing_support::HeadlessDesktop;
using namespace testing_support;
using testing_support::kDefaultSettingsFile;

// The default file with the line of one key replaced.
std::string with_line(const std::string& key, const std::string& line)
{
    std::string file = kDefaultSettingsFile;
    std::size_t at = file.find("\r\n" + key + "=") + 2;
    return file.replace(at, file.find("\r\n", at) - at, line);
}

TEST(Generate, ValuesAreWrittenAsTheyStand)
{
    struct Case {
        const char* control;
        std::string typed;
        std::string line;
    };
    const Case cases[] = {
        {"Text5", "abc", "StartingCredits=abc"},
        {"Text5", "", "StartingCredits="},
        {"Text5", " 12 ", "StartingCredits= 12 "},
        {"Text1", "二十", "TimeLimitMinutes=\xB6\xFE\xCA\xAE"}, // GBK, the system's code page
        // A pasted line break must not start a line (or a section) of its own in the game's file.
        {"Text3", "4\r\n[X", "Port=4[X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Harness h;
        h.desktop.clear("Form1", c.control);
        h.desktop.type("Form1", c.control, c.typed);
        h.generate();
        const std::string key = c.line.substr(0, c.line.find('='));
        EXPECT_EQ(h.generated(), with_line(key, c.line));
    }
}

TEST(Generate, AnExistingFileWithOtherKeysIsReplacedWhole)
{
    Harness h;
    h.folder.write("svrcfg_skirmish.ini",
                   "[Server]\r\nName=Mine\r\n[Settings]\r\nPort=1\r\nExtra=1\r\n; a comment\r\n"
                   "and a long tail of text that is longer than the new file itself ...........");
    h.generate();
    EXPECT_EQ(h.generated(), kDefaultSettingsFile);
}

} // namespace
