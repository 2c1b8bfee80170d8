// What the Win32 front end can get wrong, on the real program: the system's code page for the
// game's location, the file dialog, a window opened by its access key, the desktop's handlers,
// modality and leaving. What the windows do is the scenario tests' story.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "platform/win32/ansi_code_page.h"
#include "settings/install.h"
#include "settings/main_window.h"
#include "support/harness.h"

#include <gtest/gtest.h>

namespace {

using namespace e2e;
using info::kForm2;
using info::kForm3;
using location::kForm4;
using settings::kForm1;
const std::string kDefaultSettingsFile = testing_support::default_settings_file();
using Boxes = std::vector<Box>;

Box box(std::string_view text, std::string_view title, std::vector<int> buttons, Icon icon)
{
    return {std::string(text), std::string(title), std::move(buttons), icon};
}
const Box kOffer = box(settings::kOfferText, settings::kOfferTitle, {IDYES, IDNO}, Icon::Question);
const Box kDeclined =
    box(settings::kDeclinedText, settings::kNoticeTitle, {IDOK}, Icon::Information);

constexpr const char* kGameFile = "game\\Data\\svrcfg_skirmish.ini";

HWND main_control(const Program& p, std::string_view name)
{
    return control(p.main(), kForm1, name);
}

HWND open_settings(const Program& p)
{
    click(main_control(p, "Command2"));
    return p.form(kForm4.caption);
}

TEST(Location, TypedInChineseIsStoredInGbkAndTheGameGetsTheGeneratedFile)
{
    ASSERT_EQ(::GetACP(), 936u) << "the tests expect the code page of Simplified-Chinese Windows";
    Program p;
    const std::string game = "游戏\\Data\\svrcfg_skirmish.ini";
    p.write(game, "[Settings]\r\nPort=9999\r\n");
    const HWND form4 = open_settings(p);
    type(control(form4, kForm4, "Text1"), p.path(game));
    click_away(control(form4, kForm4, "Command2"));
    EXPECT_EQ(p.read("settings.ban"), p.path("\xD3\xCE\xCF\xB7\\Data\\svrcfg_skirmish.ini\r\n"));

    click(main_control(p, "Command1"));
    EXPECT_EQ(p.boxes(p.main(), {IDYES}), Boxes{kOffer});
    EXPECT_EQ(p.read(game), kDefaultSettingsFile);
}

TEST(Location, BrowsingFillsTheBoxAndCancellingKeepsIt)
{
    Program p;
    p.write(kGameFile, "");
    const HWND form4 = open_settings(p);
    const HWND box = control(form4, kForm4, "Text1");
    click(control(form4, kForm4, "Command1"));
    p.file_dialog(p.path(kGameFile));
    EXPECT_EQ(text(box), p.path(kGameFile));
    click(control(form4, kForm4, "Command1"));
    p.file_dialog(std::nullopt);
    EXPECT_EQ(text(box), p.path(kGameFile));
}

TEST(Resources, OkHidesTheWindowAndTheNextOpeningByItsAccessKeyShowsTheSameOne)
{
    Program p;
    click(main_control(p, "Command3"));
    const HWND form3 = p.form(kForm3.caption);
    click_away(control(form3, kForm3, "Command6"));
    // Alt+R as the message loop gets it: bit 29 says that Alt is down.
    ::PostMessageW(p.main(), WM_SYSCHAR, 'r', 1 << 29);
    EXPECT_EQ(p.form(kForm3.caption), form3);
}

// New lines of the desktop handlers' log, once `count` of them are there.
std::vector<std::string> new_shell_lines(std::size_t before, std::size_t count)
{
    try {
        wait_for([&] { return shell_log().size() >= before + count; },
                 "the desktop's handler to run");
    } catch (const std::runtime_error&) {
        ADD_FAILURE() << "requests made: " << shell_log().size() - before << " of " << count;
        throw;
    }
    const std::vector<std::string> log = shell_log();
    return {log.begin() + static_cast<long>(before), log.end()};
}

// Web addresses reach the handler in their normal form, with a '/' after the host.
std::string link_request(std::string_view label)
{
    return "xdg-open " + std::string(kForm3.find(label)->text) + "/";
}

TEST(Shell, ALinkTheMakersAddressAndTheReadmeReachTheDesktopsHandlers)
{
    Program p;
    const std::size_t before = shell_log().size();
    click(main_control(p, "Command3"));
    click_on(control(p.form(kForm3.caption), kForm3, "Label2"));
    EXPECT_EQ(new_shell_lines(before, 1), std::vector{link_request("Label2")});
    click(main_control(p, "Command4"));
    const HWND about = p.form(kForm2.caption);
    click(control(about, kForm2, "Command2"));
    EXPECT_EQ(new_shell_lines(before, 2),
              (std::vector<std::string>{link_request("Label2"),
                                        "xdg-email " + std::string(info::kMakerAddress)}));

    click(control(about, kForm2, "Command3"));
    const HWND editor = shown_window("the editor", [](HWND h) {
        return caption_of(h).find(info::kReadmeFileName) != std::string::npos;
    });
    // The editor holds the program folder's read-me, read in the system's code page.
    EXPECT_EQ(text(::FindWindowExW(editor, nullptr, L"Edit", nullptr)),
              platform::AnsiCodePage(936).to_utf8(p.read("readme.txt").value_or("")));
}

TEST(Shell, EachClickOfADoubleClickMakesItsRequest)
{
    struct Case {
        const char* name;
        const ui::FormSpec* form;
        std::string_view opener; // the main window's button that shows the form
        std::string_view control;
        std::string request;
    };
    const Case cases[] = {
        {"e-mail button", &kForm2, "Command4", "Command2",
         "xdg-email " + std::string(info::kMakerAddress)},
        {"link", &kForm3, "Command3", "Label5", link_request("Label5")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        click(main_control(p, c.opener));
        const HWND form = p.form(c.form->caption);
        const std::size_t before = shell_log().size();
        mouse_clicks(control(form, *c.form, c.control), 2);
        EXPECT_EQ(new_shell_lines(before, 2), (std::vector{c.request, c.request}));
    }
}

TEST(Modality, WhileABoxOrTheFileDialogIsUpTheOtherWindowsTakeNoInput)
{
    struct Case {
        const char* name;
        std::function<void(const Program&, const std::function<void()>&)> open_and_close;
    };
    const Case cases[] = {
        {"the offer box",
         [](const Program& p, const std::function<void()>& while_up) {
             click(main_control(p, "Command1"));
             EXPECT_EQ(p.boxes(p.main(), {IDNO, IDOK}, while_up), (Boxes{kOffer, kDeclined}));
         }},
        {"the file dialog",
         [](const Program& p, const std::function<void()>& while_up) {
             click(control(open_settings(p), kForm4, "Command1"));
             p.file_dialog(std::nullopt, while_up);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        click(main_control(p, "Command3"));
        const HWND form3 = p.form(kForm3.caption);
        // Out of the way of the boxes, which are centred.
        ::SetWindowPos(form3, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const HWND link = control(form3, kForm3, "Label1");
        const std::size_t before = shell_log().size();
        c.open_and_close(p, [&] {
            EXPECT_FALSE(::IsWindowEnabled(form3));
            mouse_clicks(link, 1, false);
            // Taken while the box is still up, not after it has gone.
            p.wait_until_idle();
        });
        wait_for([&] { return ::IsWindowEnabled(form3); }, "Resources to take input again");
        // The click made while the box was up asked for nothing; this one does.
        mouse_clicks(link, 1);
        EXPECT_EQ(new_shell_lines(before, 1), std::vector{link_request("Label1")});
    }
}

TEST(Leaving, TheExitButtonEndsTheProgramWithExitCodeZero)
{
    Program p;
    click(main_control(p, "Command5"));
    EXPECT_EQ(p.exit_code(), 0u);
}

} // namespace
