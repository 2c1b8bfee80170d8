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
using Boxes = std::vector<Box>;

const Box kOffer{std::string(settings::kOfferText), std::string(settings::kOfferTitle),
                 {IDYES, IDNO}, MB_ICONQUESTION};
const Box kDeclined{std::string(settings::kDeclinedText), std::string(settings::kNoticeTitle),
                    {IDOK}, MB_ICONINFORMATION};

TEST(Location, BrowsedOrTypedInChineseItIsStoredInGbkAndTheGameGetsTheGeneratedFile)
{
    ASSERT_EQ(::GetACP(), 936u) << "the tests expect the code page of Simplified-Chinese Windows";
    Program p;
    const std::string browsed = p.folder.file("game.ini");
    p.folder.write("game.ini", "");
    p.folder.write("游戏.ini", "[Settings]\r\nPort=9999\r\n");
    click(control(p.main(), kForm1, "Command2"));
    const HWND form4 = p.form(kForm4.caption);
    const HWND box = control(form4, kForm4, "Text1");
    // The file chosen fills the box; cancelling keeps it.
    for (const auto& chosen : {std::optional(browsed), std::optional<std::string>()}) {
        click(control(form4, kForm4, "Command1"));
        p.file_dialog(chosen);
        EXPECT_EQ(text(box), browsed);
    }

    type(box, p.folder.file("游戏.ini"));
    click_away(control(form4, kForm4, "Command2"));
    EXPECT_EQ(p.folder.read("settings.ban"), p.folder.file("\xD3\xCE\xCF\xB7.ini\r\n"));
    click(control(p.main(), kForm1, "Command1"));
    EXPECT_EQ(p.boxes(p.main(), {IDYES}), Boxes{kOffer});
    EXPECT_EQ(p.folder.read("游戏.ini"), testing_support::default_settings_file());
}

// Web addresses reach the handler in their normal form, with a '/' after the host.
std::string link_request(std::string_view label)
{
    return "xdg-open " + std::string(kForm3.find(label)->text) + "/";
}

// Resources' OK hides it, and the next opening by its access key shows the same window; each click
// of a link or the maker's address, and the read-me, reach the desktop's handlers; the exit button
// ends all.
TEST(ResourcesAndAbout, OkHidesTheLinksAndTheReadmeReachTheDesktopsHandlersAndExitEndsAll)
{
    Program p;
    click(control(p.main(), kForm1, "Command3"));
    const HWND form3 = p.form(kForm3.caption);
    click_away(control(form3, kForm3, "Command6"));
    // Alt+R as the message loop gets it: bit 29 says that Alt is down.
    ::PostMessageW(p.main(), WM_SYSCHAR, 'r', 1 << 29);
    EXPECT_EQ(p.form(kForm3.caption), form3);
    // Double clicks, each click of which makes its request.
    mouse_clicks(control(form3, kForm3, "Label5"), 2);
    const std::string link = link_request("Label5");
    EXPECT_EQ(shell_log(2), (std::vector{link, link}));
    click(control(p.main(), kForm1, "Command4"));
    const HWND about = p.form(kForm2.caption);
    mouse_clicks(control(about, kForm2, "Command2"), 2);
    const std::string mail = "xdg-email " + std::string(info::kMakerAddress);
    EXPECT_EQ(shell_log(4), (std::vector{link, link, mail, mail}));

    click(control(about, kForm2, "Command3"));
    const HWND editor = shown_window("the editor", [](HWND h) {
        return text(h).find(info::kReadmeFileName) != std::string::npos;
    });
    // The editor holds the program folder's read-me, read in the system's code page.
    EXPECT_EQ(text(::FindWindowExW(editor, nullptr, L"Edit", nullptr)),
              platform::AnsiCodePage(936).to_utf8(p.folder.read("readme.txt")));
    // The exit button, back once About has gone, ends the program with exit code zero.
    click_away(control(about, kForm2, "Command1"));
    click(control(p.main(), kForm1, "Command5"));
    EXPECT_EQ(p.exit_code(), 0u);
}

TEST(Modality, WhileABoxOrTheFileDialogIsUpTheOtherWindowsTakeNoInput)
{
    for (const bool file_dialog : {false, true}) {
        SCOPED_TRACE(file_dialog ? "the file dialog" : "the offer box");
        Program p;
        click(control(p.main(), kForm1, "Command3"));
        const HWND form3 = p.form(kForm3.caption);
        // Out of the way of the boxes, which are centred.
        ::SetWindowPos(form3, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const HWND link = control(form3, kForm3, "Label1");
        const auto while_up = [&] {
            EXPECT_FALSE(::IsWindowEnabled(form3));
            mouse_clicks(link);
            // Taken while the box is still up, not after it has gone.
            p.wait_until_idle();
        };
        if (file_dialog) {
            click(control(p.main(), kForm1, "Command2"));
            click(control(p.form(kForm4.caption), kForm4, "Command1"));
            p.file_dialog(std::nullopt, while_up);
        } else {
            click(control(p.main(), kForm1, "Command1"));
            EXPECT_EQ(p.boxes(p.main(), {IDNO, IDOK}, while_up), (Boxes{kOffer, kDeclined}));
        }
        wait_for([&] { return ::IsWindowEnabled(form3); }, "Resources to take input again");
        // The click made while the box was up asked for nothing; this one does.
        mouse_clicks(link);
        EXPECT_EQ(shell_log(1), std::vector{link_request("Label1")});
    }
}

} // namespace
