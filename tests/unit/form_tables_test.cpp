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

template <class F> std::vector<std::string_view> handled(const F& clicks)
{
    std::vector<std::string_view> names;
    for (const auto& c : clicks) names.push_back(c.control);
    return names;
}

struct Table {
    const FormSpec* form;
    std::vector<std::string_view> handlers;
};

std::vector<Table> tables()
{
    return {
        {&settings::kForm1, handled(settings::Form1::kClicks)},
        {&info::kForm2, handled(info::Form2::kClicks)},
        {&info::kForm3, handled(info::Form3::kClicks)},
        {&location::kForm4, handled(location::Form4::kClicks)},
    };
}

// The rest of what holds a table together is checked while compiling (ui/table_check.h).
TEST(FormTables, EveryButtonAndLinkHasAHandlerAndEveryHandlerAControl)
{
    for (const Table& t : tables()) {
        SCOPED_TRACE(std::string(t.form->name));
        for (std::string_view h : t.handlers) {
            const ControlSpec* c = t.form->find(h);
            ASSERT_NE(c, nullptr) << "handler for a missing control " << h;
            EXPECT_TRUE(c->kind == ControlKind::Button || c->kind == ControlKind::LinkLabel) << h;
        }
        for (const ControlSpec& c : t.form->controls) {
            if (c.kind != ControlKind::Button && c.kind != ControlKind::LinkLabel) continue;
            EXPECT_NE(std::find(t.handlers.begin(), t.handlers.end(), c.name), t.handlers.end())
                << c.name << " has no handler";
        }
    }
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
        EXPECT_EQ(ui::twips_to_pixels(c.twips, c.dpi), c.pixels)
            << c.twips << " at " << c.dpi;
    }
}

} // namespace
