// What the GTK front end does that a user cannot see from outside: values set by the program fire
// nothing, captions wrap only where they must, a hidden window keeps its place. Everything a user
// meets is tested end to end through the accessibility interface (tests/gtk-e2e).
#include "gtk_support.h"

#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "ui/form_rules.h"
#include "platform/gtk/art.h"
#include "platform/gtk/display.h"
#include "platform/native_desktop.h"
#include "ui/twips.h"
#include "settings/main_window.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace gtk_support;
using ui::ControlKind;
using ui::FormSpec;

struct Shown {
    platform::NativeDesktop desktop;
    Recorder events;
    ui::WindowId id;
    GtkWidget* window;

    explicit Shown(const FormSpec& spec) : id(desktop.create(spec, events))
    {
        desktop.show(id);
        settle();
        window = toplevel_titled(spec.caption);
    }
};

TEST(GtkWindows, ValuesSetByTheProgramFireNoHandler)
{
    Shown shown(settings::kForm1);
    shown.desktop.set_text(shown.id, "Text1", "99");
    shown.desktop.set_text(shown.id, "Check1", "改过的(&X)");
    shown.desktop.set_text(shown.id, "Label1", "新的说明");
    settle(20);
    EXPECT_TRUE(shown.events.clicks.empty());
    EXPECT_EQ(shown.desktop.text(shown.id, "Text1"), "99");
    EXPECT_EQ(shown.desktop.text(shown.id, "Check1"), "改过的(&X)");
    EXPECT_EQ(shown.desktop.text(shown.id, "Label1"), "新的说明");
    EXPECT_EQ(shown.desktop.check(shown.id, "Check1"), ui::CheckState::Unchecked);
    EXPECT_EQ(shown.desktop.check(shown.id, "Check6"), ui::CheckState::Checked);

    // A click by the user is heard, and ticks the box.
    gtk_button_clicked(GTK_BUTTON(control(shown.window, "Check1")));
    EXPECT_EQ(shown.events.clicks, std::vector<std::string>{"Check1"});
    EXPECT_EQ(shown.desktop.check(shown.id, "Check1"), ui::CheckState::Checked);
}

GtkWidget* caption_of(GtkWidget* widget)
{
    if (widget == nullptr || GTK_IS_LABEL(widget)) return widget;
    GtkWidget* found = nullptr;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* it = children; it != nullptr && found == nullptr; it = it->next)
            found = caption_of(GTK_WIDGET(it->data));
        g_list_free(children);
    }
    return found;
}

// A caption too long for its control wraps within the control's width, also after the program
// changes it; one that fits stays on one line.
TEST(GtkWindows, CaptionsWrapWithinTheirControlsOnlyWhereTheyMust)
{
    Shown shown(settings::kForm1);
    constexpr char kLong[] = "一个放不进这一行里的很长很长的开关说明(&L)";
    struct Case {
        const char* control;
        const char* text; // nullptr: the table's own
        bool several_lines;
    };
    for (const Case& c : {Case{"Label1", nullptr, true}, Case{"Command1", nullptr, true},
                          Case{"Command3", nullptr, true}, Case{"Command2", nullptr, false},
                          Case{"Check1", nullptr, false}, Case{"Check1", kLong, true},
                          Case{"Check1", "短(&S)", false}, Case{"Label1", "短", false}}) {
        SCOPED_TRACE(std::string(c.control) + " " + (c.text != nullptr ? c.text : ""));
        if (c.text != nullptr) {
            shown.desktop.set_text(shown.id, c.control, c.text);
            settle(50);
        }
        GtkWidget* label = caption_of(control(shown.window, c.control));
        ASSERT_NE(label, nullptr);
        PangoLayout* layout = gtk_label_get_layout(GTK_LABEL(label));
        EXPECT_EQ(pango_layout_get_line_count(layout) > 1, c.several_lines);
        int width = 0;
        pango_layout_get_pixel_size(layout, &width, nullptr);
        EXPECT_LE(width, gtk_widget_get_allocated_width(label));
    }
}

TEST(GtkWindows, AHiddenWindowComesBackWhereItWas)
{
    Shown shown(info::kForm3);
    gtk_window_move(GTK_WINDOW(shown.window), 40, 30);
    settle();
    int x = 0;
    int y = 0;
    gtk_window_get_position(GTK_WINDOW(shown.window), &x, &y);
    shown.desktop.hide(shown.id);
    settle();
    EXPECT_EQ(toplevel_titled(info::kForm3.caption), nullptr);
    shown.desktop.show(shown.id);
    settle();
    int again_x = 0;
    int again_y = 0;
    gtk_window_get_position(GTK_WINDOW(shown.window), &again_x, &again_y);
    EXPECT_EQ(again_x, x);
    EXPECT_EQ(again_y, y);
}

} // namespace
