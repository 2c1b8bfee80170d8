// The moves between the four windows, and the main window's keyboard.
#include "support/harness.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

using ui::CheckState;
using testing_support::Harness;
using Names = std::vector<std::string>;

constexpr auto kYes = ui::Answer::Yes;

// A close request (no button) never leaves the program without a window.
TEST(Navigation, EachButtonAndCloseRequestMovesBetweenWindowsInItsOrder)
{
    struct Case {
        const char* name;
        std::function<void(Harness&)> before;
        const char* form;
        const char* button; // nullptr: a close request
        Names log;
        Names visible; // front-most first
    };
    const auto nothing = [](Harness&) {};
    const auto open = [](const char* button) {
        return [button](Harness& h) { h.desktop.click("Form1", button); };
    };
    const auto open_settings_with_text = [](Harness& h) {
        h.desktop.click("Form1", "Command2");
        h.desktop.type("Form4", "Text1", "x.ini");
    };
    // clang-format off
    const Case cases[] = {
        {"settings", nothing, "Form1", "Command2", {"create Form4", "show Form4", "hide Form1"}, {"Form4"}},
        {"resources", nothing, "Form1", "Command3", {"create Form3", "show Form3"}, {"Form3", "Form1"}},
        {"about", nothing, "Form1", "Command4", {"hide Form1", "create Form2", "show Form2"}, {"Form2"}},
        {"exit", nothing, "Form1", "Command5", {"destroy Form1", "quit"}, {}},
        {"about OK", open("Command4"), "Form2", "Command1", {"destroy Form2", "show Form1"}, {"Form1"}},
        {"resources OK", open("Command3"), "Form3", "Command6", {"hide Form3"}, {"Form1"}},
        {"settings OK", open_settings_with_text, "Form4", "Command2", {"destroy Form4", "show Form1"}, {"Form1"}},
        {"exit beside resources", open("Command3"), "Form1", "Command5", {"destroy Form1", "destroy Form3", "quit"}, {}},
        {"main closed", nothing, "Form1", nullptr, {"destroy Form1", "quit"}, {}},
        {"about closed", open("Command4"), "Form2", nullptr, {"destroy Form2", "show Form1"}, {"Form1"}},
        {"resources closed", open("Command3"), "Form3", nullptr, {"hide Form3"}, {"Form1"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        c.before(h);
        h.desktop.clear_log();
        if (c.button != nullptr)
            h.desktop.click(c.form, c.button);
        else
            h.desktop.request_close(c.form);
        EXPECT_EQ(h.desktop.log(), c.log);
        EXPECT_EQ(h.desktop.visible_windows(), c.visible);
        EXPECT_TRUE(h.desktop.boxes().empty());
    }
}

TEST(Navigation, TheMainWindowKeepsItsValuesAcrossAboutAndSettingsVisits)
{
    Harness h;
    h.desktop.clear("Form1", "Text1");
    h.desktop.type("Form1", "Text1", "45");
    h.desktop.click("Form1", "Check1");

    h.desktop.click("Form1", "Command4");
    h.desktop.click("Form2", "Command1");
    h.desktop.click("Form1", "Command2");
    h.desktop.answer_boxes({kYes}); // give up on an empty location
    h.desktop.click("Form4", "Command2");

    EXPECT_EQ(std::ranges::count(h.desktop.log(), "create Form1"), 1);
    EXPECT_EQ(h.desktop.control("Form1", "Text1").text, "45");
    EXPECT_EQ(h.desktop.control("Form1", "Check1").check, CheckState::Checked);
    h.generate();
    EXPECT_NE(h.generated(), testing_support::default_settings_file()); // not the defaults
}

} // namespace
