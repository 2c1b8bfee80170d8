// After generating, Yes copies the file over the game's copy named in settings.ban.
#include "support/harness.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

namespace {

using testing_support::HeadlessDesktop;
using namespace testing_support;

constexpr auto kYes = ui::Answer::Yes;

constexpr const char* kGameFile = "game/Data/svrcfg_skirmish.ini";
constexpr const char* kOldGameFile = "[Settings]\r\nPort=9999\r\n";

void make_game_file(const Harness& h)
{
    std::filesystem::create_directories(h.folder.file("game/Data"));
    h.folder.write(kGameFile, kOldGameFile);
}

// Answered No, or with a destination that cannot be replaced, the click leaves the game's file as
// it was and says where the generated one is.
TEST(Install, DeclinedOrFailedTheGameFileStaysAndABoxSaysWhereTheGeneratedOneIs)
{
    struct Case {
        const char* name;
        std::function<void(const Harness&)> arrange;
        ui::Answer answer; // to the offer
    };
    const auto game_file_located_at = [](const char* location) {
        return [location](const Harness& h) {
            make_game_file(h);
            if (location != nullptr) h.store_location(h.folder.file(location));
        };
    };
    const auto zero_bytes = [](const Harness& h) {
        make_game_file(h);
        h.folder.write("settings.ban", "");
    };
    // On Linux a '?' in place of the bad bytes would name a file of its own, and make it.
    const auto undecodable = [](const Harness& h) {
        make_game_file(h);
        h.folder.write("settings.ban",
                       h.gbk.from_utf8(h.folder.file("game/Data/svrcfg_skirmish")) + "\xFF\xFE.ini\r\n");
    };
    const auto read_only = [](const Harness& h) {
        make_game_file(h);
        testing_support::make_read_only(h.folder.file(kGameFile));
        h.store_location(h.folder.file(kGameFile));
    };
    // clang-format off
    const Case cases[] = {
        {"declined", game_file_located_at(kGameFile), ui::Answer::No},
        {"settings.ban missing", game_file_located_at(nullptr), kYes},
        {"settings.ban of zero bytes", zero_bytes, kYes},
        {"settings.ban holding bytes that do not decode", undecodable, kYes},
        {"destination folder missing", game_file_located_at("nowhere/Data/svrcfg_skirmish.ini"), kYes},
        {"destination is a folder", game_file_located_at("game/Data"), kYes},
        {"destination read-only", read_only, kYes},
    };
    // clang-format on
    const HeadlessDesktop::Box declined{
        "Form1",
        "生成的文件(svrcfg_skirmish.ini)已经被置放到本程序所在的文件夹之下。你可以手动复制它到 Korvane的所在文件夹\\Data下覆盖原文件。",
        "提示", kOk, kInformation};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        c.arrange(h);
        h.folder.write("svrcfg_skirmish.ini", "from an earlier click");
        const std::vector<std::string> before = h.folder.entries();
        h.desktop.answer_boxes({c.answer});
        h.generate();

        EXPECT_EQ(h.desktop.boxes(), (std::vector<HeadlessDesktop::Box>{
                                         kOffer, c.answer == kYes ? kFailure : declined}));
        EXPECT_EQ(h.folder.read(kGameFile), kOldGameFile);
        EXPECT_EQ(h.folder.entries(), before) << "no file may appear, no temporary may stay";
        EXPECT_EQ(h.generated(), default_settings_file());
        EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form1"});
    }
}

// Yes without a location opens the Settings window instead of asking more; the location saved
// there is used by the next click.
TEST(Install, AnUnsetLocationIsAskedForInTheSettingsWindowAndUsedByTheNextClick)
{
    for (const char* content : {"\r\n", "\n", "    \r\n", ",C:\\later.ini\r\n"}) {
        SCOPED_TRACE(content);
        Harness h;
        make_game_file(h);
        h.folder.write("settings.ban", content);
        h.desktop.answer_boxes({kYes});
        h.desktop.clear_log();
        h.generate();
        EXPECT_EQ(h.desktop.boxes(), std::vector<HeadlessDesktop::Box>{kOffer});
        EXPECT_EQ(h.desktop.log(),
                  (std::vector<std::string>{"create Form4", "show Form4", "hide Form1"}));
        EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form4"});
        EXPECT_EQ(h.desktop.control("Form4", "Text1").text, "");

        h.desktop.type("Form4", "Text1", h.folder.file(kGameFile));
        h.desktop.click("Form4", "Command2");
        ASSERT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form1"});
        h.desktop.click("Form1", "Check13");
        h.desktop.answer_boxes({kYes});
        h.generate();
        EXPECT_EQ(h.folder.read(kGameFile), h.generated());
        EXPECT_NE(h.generated(), default_settings_file());
        EXPECT_EQ(h.desktop.boxes(), (std::vector<HeadlessDesktop::Box>{kOffer, kOffer}));
    }
}

TEST(Install, TheDestinationIsTheFirstFieldOfTheFirstLine)
{
    struct Case {
        std::string line; // relative to the program folder
        const char* copied_to;
    };
    // How a line reads (commas, quotes, blanks) is the path file's own test; here, that the click
    // copies to what it reads.
    const Case cases[] = {
        {"游戏存档.ini\r\n", "游戏存档.ini"},               // read in the system's code page
        {"svrcfg_skirmish.ini\r\n", "svrcfg_skirmish.ini"}, // onto the generated file itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Harness h;
        h.folder.write("settings.ban", h.gbk.from_utf8(h.folder.file(c.line)));
        h.desktop.answer_boxes({kYes});
        h.generate();

        EXPECT_EQ(h.desktop.boxes(), std::vector<HeadlessDesktop::Box>{kOffer});
        EXPECT_EQ(h.folder.read(c.copied_to), default_settings_file());
    }
}

} // namespace
