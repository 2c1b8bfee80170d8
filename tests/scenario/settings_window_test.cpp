// The Settings window: shows, takes and stores the location of the game's settings file.
#include "support/harness.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using testing_support::HeadlessDesktop;
using namespace testing_support;
using Boxes = std::vector<HeadlessDesktop::Box>;
using Names = std::vector<std::string>;

void open_settings(Harness& h)
{
    h.desktop.click("Form1", "Command2");
    ASSERT_EQ(h.desktop.visible_windows(), Names{"Form4"});
}

TEST(SettingsWindow, OpensWithThePathFilesFirstField)
{
    struct Case {
        const char* name;
        std::optional<std::string> file; // nothing: no settings.ban
        std::string shown;
    };
    // How a line reads is the path file's own test; here, that the window shows what it reads.
    const Case cases[] = {
        {"missing file", std::nullopt, ""},
        {"GBK path", "E:\\\xD3\xCE\xCF\xB7\\Data\\svrcfg_skirmish.ini\r\n",
         "E:\\游戏\\Data\\svrcfg_skirmish.ini"},
        // Shown with '?' marks, it would be saved on OK as the name of another file.
        {"bytes that do not decode", "E:\\Data\\svrcfg_skirmish\xFF\xFE.ini\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        if (c.file) h.folder.write("settings.ban", *c.file);
        open_settings(h);
        EXPECT_EQ(h.desktop.control("Form4", "Text1").text, c.shown);
        EXPECT_EQ(h.desktop.focus("Form4"), "Text1");
    }
}

// A close request acts as OK. A path that cannot be saved leaves the window up to take another.
TEST(SettingsWindow, OkSavesTheTextAndReturnsToTheMainWindow)
{
    struct Case {
        std::string typed;
        bool closed;        // a close request rather than OK
        std::string stored; // bytes of settings.ban, "old.ini\r\n" before
    };
    const Case cases[] = {
        {"E:\\游戏\\svrcfg_skirmish.ini", false, "E:\\\xD3\xCE\xCF\xB7\\svrcfg_skirmish.ini\r\n"},
        // Spaces count as text: stored as they stand, read back as not set.
        {"   ", false, "   \r\n"},
        {"closed.ini", true, "closed.ini\r\n"},
        {"E:\\한국\\svrcfg_skirmish.ini", false, "old.ini\r\n"}, // Hangul: not in GBK
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Harness h;
        h.folder.write("settings.ban", "old.ini\r\n");
        open_settings(h);
        h.desktop.clear("Form4", "Text1");
        h.desktop.type("Form4", "Text1", c.typed);
        h.desktop.clear_log();
        if (c.closed)
            h.desktop.request_close("Form4");
        else
            h.desktop.click("Form4", "Command2");

        const bool saved = c.stored != "old.ini\r\n";
        EXPECT_EQ(h.path_file(), c.stored);
        EXPECT_EQ(h.desktop.boxes(), saved ? Boxes{} : Boxes{kSaveFailed});
        EXPECT_EQ(h.desktop.log(), (saved ? Names{"destroy Form4", "show Form1"} : Names{}));
        EXPECT_EQ(h.folder.entries(), Names{"settings.ban"});
    }
}

TEST(SettingsWindow, BrowseTakesTheChosenFileAndCancelKeepsTheText)
{
    const std::string chosen = "/mnt/c/Games/Korvane/Data/svrcfg_skirmish.ini";
    // Each browse's answer (nothing: cancelled) and the text it leaves.
    const std::pair<std::optional<std::string>, std::string> browses[] = {
        {std::nullopt, "typed by hand"}, {chosen, chosen}, {std::nullopt, chosen}};
    Harness h;
    open_settings(h);
    h.desktop.type("Form4", "Text1", "typed by hand");
    for (const auto& [answer, text] : browses) {
        h.desktop.answer_file_dialog(answer);
        h.desktop.click("Form4", "Command1");
        EXPECT_EQ(h.desktop.control("Form4", "Text1").text, text);
    }

    // The dialog starts from the last file chosen in it.
    const auto dialog = [](const std::string& initial_name) {
        return HeadlessDesktop::Dialog{"Form4", "打开文件", initial_name,
                                       "SL2Korvane遭遇战模式配置文件(svrcfg_skirmish.ini)",
                                       "svrcfg_skirmish.ini"};
    };
    EXPECT_EQ(h.desktop.dialogs(),
              (std::vector<HeadlessDesktop::Dialog>{
                  dialog("svrcfg_skirmish.ini"), dialog("svrcfg_skirmish.ini"), dialog(chosen)}));
}

TEST(SettingsWindow, EachOpeningIsANewWindowThatReadsTheFileAgain)
{
    Harness h;
    open_settings(h);
    h.desktop.type("Form4", "Text1", "first.ini");
    h.desktop.click("Form4", "Command2");
    EXPECT_EQ(h.path_file(), "first.ini\r\n");

    h.folder.write("settings.ban", "changed.ini\r\n");
    open_settings(h);
    EXPECT_EQ(std::ranges::count(h.desktop.log(), "create Form4"), 2);
    EXPECT_EQ(h.desktop.control("Form4", "Text1").text, "changed.ini");
}

TEST(SettingsWindow, LeftEmptyItIsOnlyGivenUpAfterAWarning)
{
    const HeadlessDesktop::Box warning{
        "Form4",
        "请正确输入Stormline2 - Korvane的所在文件夹。否则程序将不能自动对Korvane进行修改，而需要您手动修改。确定放弃设置吗？",
        "错误的输入", kYesNo, kWarning};
    Harness h;
    open_settings(h);
    h.desktop.answer_boxes({ui::Answer::No});
    h.desktop.click("Form4", "Command2");
    EXPECT_EQ(h.desktop.boxes(), Boxes{warning});
    EXPECT_EQ(h.desktop.visible_windows(), Names{"Form4"});

    h.desktop.answer_boxes({ui::Answer::Yes});
    h.desktop.click("Form4", "Command2");
    EXPECT_EQ(h.desktop.boxes(), (Boxes{warning, warning}));
    EXPECT_EQ(h.desktop.visible_windows(), Names{"Form1"});
    EXPECT_EQ(h.folder.entries(), Names{}) << "nothing stored";
}

} // namespace
