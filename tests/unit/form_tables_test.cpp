// The window tables hold together: keyboard order, access keys, handlers, parents, pixels.
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "ui/twips.h"
#include "settings/main_window.h"

#include <set>

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

TEST(FormTables, HoldTogether)
{
    for (const Table& t : tables()) {
        SCOPED_TRACE(std::string(t.form->name));
        std::set<std::string_view> names;
        std::set<int> tabs;
        std::set<char> keys;
        int default_buttons = 0;
        for (const ControlSpec& c : t.form->controls) {
            EXPECT_TRUE(names.insert(c.name).second) << "two controls named " << c.name;
            if (c.tab != ui::kNoTab) {
                EXPECT_TRUE(tabs.insert(c.tab).second) << "tab position taken twice: " << c.name;
            }
            if (ui::takes_focus(c.kind)) {
                EXPECT_NE(c.tab, ui::kNoTab) << c.name;
            }
            if (char key = ui::access_key(c.text)) {
                EXPECT_TRUE(keys.insert(key).second) << "access key taken twice: " << c.name;
            }
            default_buttons += c.default_button;
            if (!c.parent.empty()) {
                const ControlSpec* parent = t.form->find(c.parent);
                ASSERT_NE(parent, nullptr) << c.name;
                EXPECT_EQ(parent->kind, ControlKind::Frame);
            }
        }
        EXPECT_LE(default_buttons, 1);
        for (std::string_view h : t.handlers) {
            const ControlSpec* c = t.form->find(h);
            ASSERT_NE(c, nullptr) << "handler for a missing control " << h;
            EXPECT_TRUE(c->kind == ControlKind::Button || c->kind == ControlKind::LinkLabel) << h;
        }
        // Every button and link does something.
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
