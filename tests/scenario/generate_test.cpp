// The generate button writes the main window's fields as the game's settings file.
#include "support/harness.h"

#include <gtest/gtest.h>

namespace {

using platform::CheckState;
using platform::HeadlessDesktop;
using namespace testing_support;
using testing_support::kDefaultSettingsFile;

constexpr auto kYes = platform::Answer::Yes;
constexpr auto kNo = platform::Answer::No;

// The default file with the line of one key replaced.
std::string with_line(const std::string& key, const std::string& line)
{
    std::string file = kDefaultSettingsFile;
    std::size_t at = file.find("\r\n" + key + "=") + 2;
    return file.replace(at, file.find("\r\n", at) - at, line);
}

TEST(Generate, FreshStartAnsweredNoWritesTheDefaultsAndAsksTwoBoxes)
{
    Harness h;
    h.desktop.answer_boxes({kNo});
    h.generate();

    EXPECT_EQ(h.generated(), kDefaultSettingsFile);
    EXPECT_EQ(h.desktop.boxes(), (std::vector<HeadlessDesktop::Box>{kOffer, kDeclined}));
    EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form1"});
    EXPECT_EQ(h.folder.entries(), std::vector<std::string>{"svrcfg_skirmish.ini"});
}

TEST(Generate, EachFieldChangedAloneLandsOnItsOwnKey)
{
    struct Case {
        const char* control;
        const char* typed; // nullptr: click the check box
        const char* key;
        const char* line;
    };
    const Case cases[] = {
        {"Text1", "90", "TimeLimitMinutes", "TimeLimitMinutes=90"},
        {"Text2", "3", "RadarMode", "RadarMode=3"},
        {"Text3", "5000", "Port", "Port=5000"},
        {"Check1", nullptr, "IsDedicated", "IsDedicated=yes"},
        {"Check2", nullptr, "IsAutoRestart", "IsAutoRestart=yes"},
        {"Check3", nullptr, "IsPassworded", "IsPassworded=yes"},
        {"Check4", nullptr, "IsQuickMatch", "IsQuickMatch=yes"},
        {"Check5", nullptr, "IsLaddered", "IsLaddered=yes"},
        {"Check6", nullptr, "RemixTeams", "RemixTeams=no"},
        {"Check7", nullptr, "CanRepairBuildings", "CanRepairBuildings=no"},
        {"Check8", nullptr, "DriverIsAlwaysGunner", "DriverIsAlwaysGunner=no"},
        {"Check9", nullptr, "SpawnWeapons", "SpawnWeapons=no"},
        {"Check10", nullptr, "UseLagReduction", "UseLagReduction=no"},
        {"Check11", nullptr, "IsFriendlyFirePermitted", "IsFriendlyFirePermitted=yes"},
        {"Check12", nullptr, "IsTeamChangingAllowed", "IsTeamChangingAllowed=no"},
        {"Check13", nullptr, "IsClanGame", "IsClanGame=yes"},
        {"Text4", "8", "MaxPlayers", "MaxPlayers=8"},
        {"Check14", nullptr, "BaseDestructionEndsGame", "BaseDestructionEndsGame=no"},
        {"Check15", nullptr, "BeaconPlacementEndsGame", "BeaconPlacementEndsGame=no"},
        {"Text5", "12000", "StartingCredits", "StartingCredits=12000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        Harness h;
        if (c.typed != nullptr) {
            h.desktop.clear("Form1", c.control);
            h.desktop.type("Form1", c.control, c.typed);
        } else {
            h.desktop.click("Form1", c.control);
        }
        h.generate();
        EXPECT_EQ(h.generated(), with_line(c.key, c.line));
    }
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

TEST(Generate, AGrayedCheckBoxWritesNo)
{
    Harness h;
    h.desktop.set_check("Form1", "Check6", CheckState::Grayed);
    h.generate();
    EXPECT_EQ(h.generated(), with_line("RemixTeams", "RemixTeams=no"));
}

TEST(Generate, TwiceReplacesTheFileAndNeverGrowsIt)
{
    Harness h;
    h.generate();
    h.desktop.click("Form1", "Check1");
    h.generate();
    EXPECT_EQ(h.generated(), with_line("IsDedicated", "IsDedicated=yes"));
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
