// The generate button writes the main window's fields as the game's settings file.
#include "support/harness.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

// The file that a fresh start writes, byte for byte: the one expectation of it written out apart
// from the program's tables (kSettingsKeys, Form1's controls), so that a renamed or reordered
// key or a changed default is caught here. The other tests take it from the tables.
constexpr const char* kDefaultSettingsFile = "[Settings]\r\n"
                                             "TimeLimitMinutes=25\r\n"
                                             "RadarMode=1\r\n"
                                             "Port=4848\r\n"
                                             "IsDedicated=no\r\n"
                                             "IsAutoRestart=no\r\n"
                                             "IsPassworded=no\r\n"
                                             "IsQuickMatch=no\r\n"
                                             "IsLaddered=no\r\n"
                                             "RemixTeams=yes\r\n"
                                             "CanRepairBuildings=yes\r\n"
                                             "DriverIsAlwaysGunner=yes\r\n"
                                             "SpawnWeapons=yes\r\n"
                                             "UseLagReduction=yes\r\n"
                                             "IsFriendlyFirePermitted=no\r\n"
                                             "IsTeamChangingAllowed=yes\r\n"
                                             "IsClanGame=no\r\n"
                                             "MaxPlayers=1\r\n"
                                             "BaseDestructionEndsGame=yes\r\n"
                                             "BeaconPlacementEndsGame=yes\r\n"
                                             "StartingCredits=600\r\n";

// The default file with the line of one key (the line's own) replaced.
std::string with_line(const std::string& line)
{
    std::string file = kDefaultSettingsFile;
    std::size_t at = file.find("\r\n" + line.substr(0, line.find('=') + 1)) + 2;
    return file.replace(at, file.find("\r\n", at) - at, line);
}

// Over a file of other keys, and longer than the new one: replaced whole.
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
        h.folder.write("svrcfg_skirmish.ini",
                       "[Server]\r\nName=Mine\r\n[Settings]\r\nPort=1\r\nExtra=1\r\n; " +
                           std::string(500, '.'));
        h.desktop.clear("Form1", c.control);
        h.desktop.type("Form1", c.control, c.typed);
        h.generate();
        EXPECT_EQ(h.generated(), with_line(c.line));
    }
}

// The line, counted from 0, where two versions of a file first differ.
std::ptrdiff_t first_changed_line(const std::string& a, const std::string& b)
{
    return std::count(a.begin(), std::ranges::mismatch(a, b).in1, '\n');
}

TEST(Generate, EachLineReadsItsOwnControl)
{
    // The control each key's line reads, in the file's order: the join of kSettingsKeys, written
    // out apart from it. Changed in this order, they change the file a line at a time, top down.
    const std::string controls[] = {"Text1",   "Text2",  "Text3",   "Check1",  "Check2",
                                    "Check3",  "Check4", "Check5",  "Check6",  "Check7",
                                    "Check8",  "Check9", "Check10", "Check11", "Check12",
                                    "Check13", "Text4",  "Check14", "Check15", "Text5"};
    Harness h;
    std::string before = kDefaultSettingsFile;
    for (std::ptrdiff_t line = 1; const std::string& control : controls) {
        SCOPED_TRACE(control);
        if (control.starts_with("Text")) {
            h.desktop.clear("Form1", control);
            h.desktop.type("Form1", control, "7");
        } else {
            h.desktop.click("Form1", control);
        }
        h.generate();
        EXPECT_EQ(first_changed_line(before, h.generated()), line++);
        before = h.generated();
    }
}

} // namespace
