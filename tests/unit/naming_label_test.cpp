// Which label names a text box for a screen reader: the real windows, and the cases around them.
#include "location/settings_window.h"
#include "platform/naming_label.h"
#include "settings/main_window.h"

#include <array>

#include <gtest/gtest.h>

namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FormSpec;

TEST(NamingLabel, EachBoxOfTheWindowsHasItsOwnLabel)
{
    struct Case {
        const FormSpec* form;
        const char* box;
        const char* label;
    };
    const Case cases[] = {
        {&settings::kForm1, "Text1", "Label2"}, {&settings::kForm1, "Text2", "Label4"},
        {&settings::kForm1, "Text3", "Label5"}, {&settings::kForm1, "Text4", "Label6"},
        {&settings::kForm1, "Text5", "Label7"}, {&location::kForm4, "Text1", "Label1"},
    };
    for (const Case& c : cases) {
        const ControlSpec* label = platform::naming_label(*c.form, *c.form->find(c.box));
        ASSERT_NE(label, nullptr) << c.box;
        EXPECT_EQ(label->name, c.label) << c.form->name << " " << c.box;
    }
}

// A unit after the box, a link beside it and a label below it name nothing; with none of its
// own left or above, a box has no name from a label.
TEST(NamingLabel, OnlyALabelLeftOfOrAboveTheBoxNamesIt)
{
    constexpr std::array<ControlSpec, 5> controls{{
        {.name = "Unit", .kind = ControlKind::Label, .text = "min", .rect = {1000, 0, 400, 250}},
        {.name = "Link",
         .kind = ControlKind::LinkLabel,
         .text = "http://x",
         .rect = {0, 0, 500, 250}},
        {.name = "Below",
         .kind = ControlKind::Label,
         .text = "below",
         .rect = {500, 300, 500, 250}},
        {.name = "Empty", .kind = ControlKind::Label, .rect = {0, 0, 400, 250}},
        {.name = "Box", .kind = ControlKind::TextBox, .rect = {500, 0, 500, 250}, .tab = 0},
    }};
    const FormSpec form{.name = "F", .controls = controls};
    EXPECT_EQ(platform::naming_label(form, *form.find("Box")), nullptr);
}

} // namespace
