// User stories on the real program: generating and installing, the game's location in its code
// page, the information windows and the desktop's handlers, the keyboard, and leaving.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "platform/twips.h"
#include "platform/win32/ansi_code_page.h"
#include "settings/install.h"
#include "settings/main_window.h"
#include "support/harness.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace e2e;
using settings::kForm1;
using testing_support::kDefaultSettingsFile;
using Captions = std::vector<std::string>;

BoxLook look(std::string_view text, std::string_view title, std::vector<int> buttons, Icon icon)
{
    return {std::string(text), std::string(title), std::move(buttons), icon};
}
const BoxLook kOffer =
    look(settings::kOfferText, settings::kOfferTitle, {IDYES, IDNO}, Icon::Question);
const BoxLook kDeclined =
    look(settings::kDeclinedText, settings::kNoticeTitle, {IDOK}, Icon::Information);
const BoxLook kFailure =
    look(settings::kFailureText, settings::kNoticeTitle, {IDOK}, Icon::Information);
const BoxLook kEmptyWarning = look(location::kEmptyWarningText, location::kEmptyWarningTitle,
                                   {IDYES, IDNO}, Icon::Exclamation);

const std::string kMain(kForm1.caption);
const std::string kSettings(location::kForm4.caption);
constexpr const char* kGameFile = "game\\Data\\svrcfg_skirmish.ini";
constexpr const char* kOldGameFile = "[Settings]\r\nPort=9999\r\n";
constexpr const char* kNowhere = "nowhere\\Data\\svrcfg_skirmish.ini";

using Answers = std::vector<std::pair<BoxLook, int>>;

// Each box in turn, as expected, answered; then no other.
void expect_boxes(const Program& p, HWND owner, const Answers& answers)
{
    for (const auto& [expected, answer] : answers) {
        const Box box = p.box(owner);
        EXPECT_EQ(box.look, expected);
        p.answer(box, answer);
    }
    p.no_box(owner);
}

HWND main_control(const Program& p, std::string_view name)
{
    return control(p.main(), kForm1, name);
}

HWND settings_window(const Program& p)
{
    click(main_control(p, "Command2"));
    return p.form(kSettings);
}

void replace(std::string& text, std::string_view from, std::string_view to)
{
    text.replace(text.find(from), from.size(), to);
}

TEST(Generate, WritesTheFileThenInstallsItWhereSettingsBanPoints)
{
    struct Case {
        const char* name;
        const char* location; // stored in settings.ban, in the program folder; nullptr: no file
        Answers boxes;
        const char* game_file; // afterwards
        std::string shown;
    };
    const Case cases[] = {
        {"No", kGameFile, {{kOffer, IDNO}, {kDeclined, IDOK}}, kOldGameFile, kMain},
        {"Yes", kGameFile, {{kOffer, IDYES}}, kDefaultSettingsFile, kMain},
        {"Yes, folder missing", kNowhere, {{kOffer, IDYES}, {kFailure, IDOK}}, kOldGameFile, kMain},
        {"Yes, no settings.ban", nullptr, {{kOffer, IDYES}, {kFailure, IDOK}}, kOldGameFile, kMain},
        {"Yes, location empty", "", {{kOffer, IDYES}}, kOldGameFile, kSettings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p(Files{{kGameFile, kOldGameFile}});
        if (c.location != nullptr)
            p.write("settings.ban", (*c.location ? p.path(c.location) : "") + "\r\n");
        click(main_control(p, "Command1"));
        expect_boxes(p, p.main(), c.boxes);
        EXPECT_EQ(p.read("svrcfg_skirmish.ini"), kDefaultSettingsFile);
        EXPECT_EQ(p.read(kGameFile), c.game_file);
        EXPECT_EQ(p.read(kNowhere), std::nullopt);
        EXPECT_EQ(p.shown(), Captions{c.shown});
    }
}

TEST(Location, TypedInChineseIsStoredInGbkShownAgainAndInstalledTo)
{
    ASSERT_EQ(::GetACP(), 936u) << "the tests expect the code page of Simplified-Chinese Windows";
    Program p(Files{{"游戏\\Data\\svrcfg_skirmish.ini", kOldGameFile}});
    const std::string game = p.path("游戏\\Data\\svrcfg_skirmish.ini");
    HWND form4 = settings_window(p);
    type(control(form4, location::kForm4, "Text1"), game);
    click(control(form4, location::kForm4, "Command2"));
    EXPECT_EQ(p.form(kMain), p.main());
    EXPECT_EQ(p.read("settings.ban"),
              p.path("") + "\xD3\xCE\xCF\xB7\\Data\\svrcfg_skirmish.ini\r\n");

    form4 = settings_window(p);
    EXPECT_EQ(text(control(form4, location::kForm4, "Text1")), game);
    click(control(form4, location::kForm4, "Command2"));
    p.form(kMain);

    click(main_control(p, "Command1"));
    expect_boxes(p, p.main(), {{kOffer, IDYES}});
    EXPECT_EQ(p.read("游戏\\Data\\svrcfg_skirmish.ini"), p.read("svrcfg_skirmish.ini"));
    EXPECT_EQ(p.read("svrcfg_skirmish.ini"), kDefaultSettingsFile);
}

TEST(Location, LeftEmptyIsOnlyGivenUpAfterAWarning)
{
    Program p;
    const HWND form4 = settings_window(p);
    const HWND ok = control(form4, location::kForm4, "Command2");
    click(ok);
    expect_boxes(p, form4, {{kEmptyWarning, IDNO}});
    EXPECT_EQ(p.shown(), Captions{kSettings});
    click(ok);
    expect_boxes(p, form4, {{kEmptyWarning, IDYES}});
    p.form(kMain);
    EXPECT_EQ(p.shown(), Captions{kMain});
    EXPECT_EQ(p.read("settings.ban"), std::nullopt);
}

TEST(Location, BrowsingFillsTheBoxAndCancellingKeepsIt)
{
    Program p(Files{{kGameFile, kOldGameFile}});
    const HWND form4 = settings_window(p);
    const HWND box = control(form4, location::kForm4, "Text1");
    const HWND browse = control(form4, location::kForm4, "Command1");
    click(browse);
    p.file_dialog(form4, p.path(kGameFile));
    EXPECT_EQ(text(box), p.path(kGameFile));
    click(browse);
    p.file_dialog(form4, std::nullopt);
    EXPECT_EQ(text(box), p.path(kGameFile));
}

TEST(MainWindow, TypedValuesSurviveAVisitToAboutAndReachTheFile)
{
    Program p;
    const HWND minutes = main_control(p, "Text1");
    type(minutes, "1234"); // the box takes three characters
    EXPECT_EQ(text(minutes), "123");
    click(main_control(p, "Check1"));
    click(main_control(p, "Command4"));
    const HWND about = p.form(info::kForm2.caption);
    EXPECT_EQ(p.shown(), Captions{std::string(info::kForm2.caption)});
    click(control(about, info::kForm2, "Command1"));
    EXPECT_EQ(p.form(kMain), p.main());
    EXPECT_EQ(text(minutes), "123");

    click(main_control(p, "Command1"));
    expect_boxes(p, p.main(), {{kOffer, IDNO}, {kDeclined, IDOK}});
    std::string expected = kDefaultSettingsFile;
    replace(expected, "TimeLimitMinutes=25", "TimeLimitMinutes=123");
    replace(expected, "IsDedicated=no", "IsDedicated=yes");
    EXPECT_EQ(p.read("svrcfg_skirmish.ini"), expected);
}

TEST(Resources, OkHidesTheWindowAndTheNextOpeningShowsTheSameOne)
{
    Program p;
    click(main_control(p, "Command3"));
    const HWND form3 = p.form(info::kForm3.caption);
    EXPECT_EQ(p.shown(), (Captions{std::string(info::kForm3.caption), kMain}));
    click(control(form3, info::kForm3, "Command6"));
    wait_for([&] { return !::IsWindowVisible(form3); }, "Resources to hide");
    EXPECT_EQ(p.shown(), Captions{kMain});
    click(main_control(p, "Command3"));
    EXPECT_EQ(p.form(info::kForm3.caption), form3);
}

// A point inside a control's rectangle, in pixels of the window's client area.
POINT point_in(HWND form, const platform::ControlSpec& c, int right_of_left_edge)
{
    const int dpi = dpi_of(form);
    return {platform::twips_to_pixels(c.rect.left + right_of_left_edge, dpi),
            platform::twips_to_pixels(c.rect.top + c.rect.height / 2, dpi)};
}

TEST(Shell, LinksAndTheMakersAddressReachTheDesktopsHandlers)
{
    Program p;
    const std::size_t before = shell_log().size();
    std::vector<std::string> expected;
    auto asked = [&](std::string line) {
        expected.push_back(std::move(line));
        wait_for([&] { return shell_log().size() >= before + expected.size(); },
                 "the desktop's handler to run");
        std::vector<std::string> log = shell_log();
        log.erase(log.begin(), log.begin() + static_cast<long>(before));
        // Wine passes web addresses on in their normal form, with a '/' after the host.
        for (std::string& line : log) {
            if (line.starts_with("xdg-open http") && line.ends_with("/")) line.pop_back();
        }
        EXPECT_EQ(log, expected);
    };

    click(main_control(p, "Command3"));
    const HWND form3 = p.form(info::kForm3.caption);
    for (const platform::ControlSpec& c : info::kForm3.controls) {
        if (c.kind != platform::ControlKind::LinkLabel) continue;
        SCOPED_TRACE(std::string(c.name));
        const POINT at = point_in(form3, c, 150);
        ASSERT_EQ(child_at(form3, at), control(form3, info::kForm3, c.name));
        click_at(form3, at);
        asked("xdg-open " + std::string(c.text));
    }
    // The OK button lies over the right-hand end of the last link and takes the clicks there.
    const platform::ControlSpec& last = *info::kForm3.find("Label13");
    EXPECT_EQ(child_at(form3, point_in(form3, last, last.rect.width - 150)),
              control(form3, info::kForm3, "Command6"));

    click(main_control(p, "Command4"));
    const HWND about = p.form(info::kForm2.caption);
    click(control(about, info::kForm2, "Command2"));
    asked("xdg-email " + std::string(info::kMakerAddress));
}

TEST(Shell, ReadmeOpensInTheDesktopsEditor)
{
    Program p;
    click(main_control(p, "Command4"));
    const HWND about = p.form(info::kForm2.caption);
    click(control(about, info::kForm2, "Command3"));
    const HWND editor = p.window_of_child("readme.txt");
    // The editor holds the program folder's read-me, read in the system's code page.
    EXPECT_EQ(text(::FindWindowExW(editor, nullptr, L"Edit", nullptr)),
              platform::AnsiCodePage(936).to_utf8(p.read("readme.txt").value_or("")));
    end_process_of(editor);
}

TEST(Keyboard, AccessKeysAndEnterWorkTheMainWindowsButtons)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM key;
        std::string shows; // a window's caption; empty for the box of the default button
    };
    const Case cases[] = {
        {"Alt+S", WM_SYSCHAR, 's', kSettings},
        {"Alt+R", WM_SYSCHAR, 'r', std::string(info::kForm3.caption)},
        {"Alt+A", WM_SYSCHAR, 'a', std::string(info::kForm2.caption)},
        {"Enter in a number box", WM_KEYDOWN, VK_RETURN, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        press(p.focus(p.main()), c.message, c.key);
        if (c.shows.empty())
            EXPECT_EQ(p.box(p.main()).look, kOffer);
        else
            p.form(c.shows);
    }
}

TEST(Leaving, EndsTheProgramWithExitCodeZero)
{
    const std::pair<const char*, std::function<void(const Program&)>> cases[] = {
        {"Exit button", [](const Program& p) { click(main_control(p, "Command5")); }},
        {"Alt+E", [](const Program& p) { press(p.focus(p.main()), WM_SYSCHAR, 'e'); }},
        {"Alt+F4", [](const Program& p) { ::PostMessageW(p.main(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, leave] : cases) {
        SCOPED_TRACE(name);
        Program p;
        leave(p);
        EXPECT_EQ(p.exit_code(), 0u);
    }
}

} // namespace
