// The About and Resources windows: the movie, and where a click in a row lands. The buttons' and
// links' requests and the way back are told end to end.
#include "support/harness.h"

#include <gtest/gtest.h>

namespace {

using testing_support::HeadlessDesktop;
using testing_support::Harness;
using Names = std::vector<std::string>;
using Requests = std::vector<HeadlessDesktop::Shell>;

TEST(AboutWindow, EachOpeningLoadsTheMovieAfreshAndOkOrEnterReturns)
{
    Harness h;
    for (int opening = 1; opening <= 2; ++opening) {
        h.desktop.clear_log();
        h.desktop.click("Form1", "Command4");
        EXPECT_EQ(h.desktop.control("Form2", "SF").movie, h.folder.file("tessel.swf"));
        EXPECT_EQ(h.desktop.focus("Form2"), "SF");
        if (opening == 1)
            h.desktop.press_key("Form2", {ui::Key::Kind::Enter});
        else
            h.desktop.press_key("Form2", {ui::Key::Kind::Char, U'A', false, true}); // Alt+A
        EXPECT_EQ(h.desktop.log(), (Names{"hide Form1", "create Form2", "show Form2",
                                          "destroy Form2", "show Form1"}));
    }
    EXPECT_TRUE(h.desktop.shell_requests().empty());
}

TEST(ResourcesWindow, ClicksAnywhereInARowOpenItUnlessTheButtonCoversIt)
{
    struct Case {
        const char* name;
        int x, y;           // twips in the window
        const char* opened; // nullptr: no request
        bool hidden;
    };
    const Case cases[] = {
        {"right of the first address", 3000, 400, "http://korvane.example.com", false},
        {"left edge of the fifth row", 130, 360 + 4 * 240 + 60, "http://maps.example.net", false},
        {"ninth row left of the button", 3300, 360 + 8 * 240 + 200, "http://mods.example.org",
         false},
        {"ninth row under the button", 3400, 360 + 8 * 240 + 200, nullptr, true},
        {"last row under the button", 4000, 3300, nullptr, true},
        {"the instruction line", 500, 200, nullptr, false},
        {"the bare window", 50, 50, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.desktop.click("Form1", "Command3");
        h.desktop.click_at("Form3", c.x, c.y);
        if (c.opened != nullptr) {
            // A link's address, to the desktop's address handler.
            EXPECT_EQ(h.desktop.shell_requests(),
                      (Requests{{"Form3", ui::OpenKind::Address, c.opened}}));
        } else {
            EXPECT_TRUE(h.desktop.shell_requests().empty());
        }
        EXPECT_EQ(h.desktop.visible_windows(),
                  (c.hidden ? Names{"Form1"} : Names{"Form3", "Form1"}));
    }
}

} // namespace
