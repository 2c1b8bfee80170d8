// The window tables' handlers, and twips as pixels.
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "ui/twips.h"
#include "settings/main_window.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using ui::ControlKind;
using ui::ControlSpec;
using ui::FormSpec;

// Every handler names a button or a link of its window, and every button and link has one. The
// rest of what holds a table together is checked while compiling (ui/table_check.h).
template <class F> void expect_handlers_match_controls(const FormSpec& form, const F& clicks)
{
    SCOPED_TRACE(std::string(form.name));
    const auto clickable = [](const ControlSpec& c) {
        return c.kind == ControlKind::Button || c.kind == ControlKind::LinkLabel;
    };
    for (const auto& h : clicks) {
        const ControlSpec* c = form.find(h.control);
        ASSERT_NE(c, nullptr) << "handler for a missing control " << h.control;
        EXPECT_TRUE(clickable(*c)) << h.control;
    }
    for (const ControlSpec& c : form.controls) {
        const auto handles = [&](const auto& h) { return h.control == c.name; };
        EXPECT_TRUE(!clickable(c) || std::ranges::any_of(clicks, handles))
            << c.name << " has no handler";
    }
}

TEST(FormTables, EveryButtonAndLinkHasAHandlerAndEveryHandlerAControl)
{
    expect_handlers_match_controls(settings::kForm1, settings::Form1::kClicks);
    expect_handlers_match_controls(info::kForm2, info::Form2::kClicks);
    expect_handlers_match_controls(info::kForm3, info::Form3::kClicks);
    expect_handlers_match_controls(location::kForm4, location::Form4::kClicks);
}

TEST(Twips, BecomePixelsAtTheMonitorsDpi)
{
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {15, 96, 1},    {-120, 96, -8}, {5130, 144, 513}, {225, 144, 23},
        {225, 120, 19}, {7, 96, 0},     {8, 96, 1},       {-8, 96, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::twips_to_pixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

} // namespace
