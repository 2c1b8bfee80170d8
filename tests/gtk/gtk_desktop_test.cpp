// The GTK front end builds every window from its table: titles, client sizes, each control at its
// rectangle with its tool tip and spoken name; the keyboard follows the shared rules; values set
// by the program fire nothing; a close request reaches the window.
#include "gtk_support.h"

#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "platform/form_rules.h"
#include "platform/gtk/art.h"
#include "platform/gtk/display.h"
#include "platform/gtk/gtk_desktop.h"
#include "platform/twips.h"
#include "settings/main_window.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace gtk_support;
using platform::ControlKind;
using platform::FormSpec;

struct Shown {
    platform::GtkDesktop desktop;
    Recorder events;
    platform::WindowId id;
    GtkWidget* window;

    explicit Shown(const FormSpec& spec) : id(desktop.create(spec, events))
    {
        desktop.show(id);
        settle();
        window = toplevel_titled(spec.caption);
    }
};

TEST(GtkWindows, EveryControlSitsAtItsTableRectangleWithItsTipAndName)
{
    const int dpi = platform::display_dpi();
    const auto px = [dpi](int twips) { return platform::twips_to_pixels(twips, dpi); };
    for (const FormSpec* spec :
         {&settings::kForm1, &info::kForm2, &info::kForm3, &location::kForm4}) {
        SCOPED_TRACE(std::string(spec->name));
        Shown shown(*spec);
        ASSERT_NE(shown.window, nullptr) << "no visible window titled " << spec->caption;
        int width = 0;
        int height = 0;
        gtk_window_get_size(GTK_WINDOW(shown.window), &width, &height);
        EXPECT_EQ(width, px(spec->client_width));
        EXPECT_EQ(height, px(spec->client_height));
        EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(shown.window)));
        EXPECT_FALSE(gtk_window_get_deletable(GTK_WINDOW(shown.window)));
        EXPECT_EQ(gtk_window_get_skip_taskbar_hint(GTK_WINDOW(shown.window)),
                  spec->border == platform::Border::FixedTool);

        for (const platform::ControlSpec& c : spec->controls) {
            SCOPED_TRACE(std::string(c.name));
            GtkWidget* widget = control(shown.window, c.name);
            ASSERT_NE(widget, nullptr);
            const platform::Rect r = platform::absolute_rect(*spec, c);
            int x = -1;
            int y = -1;
            gtk_widget_translate_coordinates(widget, shown.window, 0, 0, &x, &y);
            EXPECT_EQ(x, px(r.left));
            EXPECT_EQ(y, px(r.top));
            EXPECT_EQ(gtk_widget_get_allocated_width(widget), px(r.left + r.width) - px(r.left));
            EXPECT_EQ(gtk_widget_get_allocated_height(widget), px(r.top + r.height) - px(r.top));

            gchar* tip = gtk_widget_get_tooltip_text(widget);
            EXPECT_EQ(tip != nullptr ? std::string(tip) : "", c.tooltip);
            g_free(tip);
            AtkObject* accessible = gtk_widget_get_accessible(widget);
            const char* name = atk_object_get_name(accessible);
            if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Button ||
                c.kind == ControlKind::CheckBox || c.kind == ControlKind::LinkLabel) {
                EXPECT_TRUE(name != nullptr && *name != '\0') << "nothing for a screen reader";
            }
            if (!c.tooltip.empty()) {
                const char* description = atk_object_get_description(accessible);
                EXPECT_EQ(description != nullptr ? std::string(description) : "", c.tooltip);
            }
        }
    }
}

TEST(GtkWindows, NumberBoxesAreNamedByTheirLabels)
{
    Shown shown(settings::kForm1);
    const std::pair<const char*, const char*> boxes[] = {
        {"Text1", "时限："},       {"Text2", "雷达模式："},   {"Text3", "端口："},
        {"Text4", "最大玩家数："}, {"Text5", "启始资源数："},
    };
    for (const auto& [box, label] : boxes) {
        GtkWidget* widget = control(shown.window, box);
        ASSERT_NE(widget, nullptr) << box;
        EXPECT_STREQ(atk_object_get_name(gtk_widget_get_accessible(widget)), label) << box;
    }
    Shown settings(location::kForm4);
    EXPECT_STREQ(atk_object_get_name(gtk_widget_get_accessible(control(settings.window, "Text1"))),
                 "Stormline 2 Korvane遭遇战配置文件所在位置：");
}

TEST(GtkKeyboard, TabEnterAndAccessKeysFollowTheSharedRules)
{
    Shown shown(settings::kForm1);
    const std::vector<const platform::ControlSpec*> order =
        platform::keyboard_order(settings::kForm1);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(focused(shown.window), order.front()->name) << "the first show focuses the first";

    std::vector<std::string> forwards;
    for (std::size_t i = 0; i < order.size(); ++i) {
        press_key(shown.window, GDK_KEY_Tab);
        forwards.push_back(focused(shown.window));
    }
    std::vector<std::string> expected;
    for (std::size_t i = 1; i <= order.size(); ++i)
        expected.emplace_back(order[i % order.size()]->name);
    EXPECT_EQ(forwards, expected) << "Tab walks the table's order and wraps around";

    press_key(shown.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    EXPECT_EQ(focused(shown.window), order.back()->name) << "Shift+Tab wraps backwards";

    // Enter: the default button from a text box, the focused button itself otherwise.
    press_key(shown.window, GDK_KEY_Tab);
    ASSERT_EQ(focused(shown.window), "Text1");
    press_key(shown.window, GDK_KEY_Return);
    press_key(shown.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK); // Command5
    press_key(shown.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK); // Command4
    press_key(shown.window, GDK_KEY_Return);
    press_key(shown.window, GDK_KEY_s, GDK_MOD1_MASK);
    press_key(shown.window, GDK_KEY_R, GdkModifierType(GDK_MOD1_MASK | GDK_SHIFT_MASK));
    EXPECT_EQ(shown.events.clicks,
              (std::vector<std::string>{"Command1", "Command4", "Command2", "Command3"}));
}

TEST(GtkKeyboard, TypingPastAMaximumLengthIsRefused)
{
    Shown shown(settings::kForm1);
    struct Case {
        int tabs; // from Text1
        const char* box;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {0, "Text1", "12345", "123"}, {1, "Text2", "ab", "a"}, {2, "Text3", "123456", "12345"}};
    for (const Case& c : cases) {
        for (int i = 0; i < c.tabs; ++i) press_key(shown.window, GDK_KEY_Tab);
        ASSERT_EQ(focused(shown.window), c.box);
        // The box's text is selected as it takes the focus: typing replaces it.
        type_text(shown.window, c.typed);
        EXPECT_EQ(shown.desktop.text(shown.id, c.box), c.kept) << c.box;
        for (int i = 0; i < c.tabs; ++i)
            press_key(shown.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    }
    EXPECT_TRUE(shown.events.clicks.empty());
}

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
    EXPECT_EQ(shown.desktop.check(shown.id, "Check1"), platform::CheckState::Unchecked);
    EXPECT_EQ(shown.desktop.check(shown.id, "Check6"), platform::CheckState::Checked);

    // A click by the user is heard, and ticks the box.
    gtk_button_clicked(GTK_BUTTON(control(shown.window, "Check1")));
    EXPECT_EQ(shown.events.clicks, std::vector<std::string>{"Check1"});
    EXPECT_EQ(shown.desktop.check(shown.id, "Check1"), platform::CheckState::Checked);
}

TEST(GtkWindows, ACloseRequestGoesToTheWindowWhichStays)
{
    Shown shown(info::kForm3);
    request_close(shown.window);
    EXPECT_EQ(shown.events.close_requests, 1);
    EXPECT_EQ(toplevel_titled(info::kForm3.caption), shown.window);
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

namespace {

// The cursors and pictures come from the same files as the Windows resources, hot spots included.
TEST(GtkArt, TheArtworkDecodesAtItsSizesWithItsHotSpots)
{
    struct Case {
        platform::Cursor cursor;
        const char* x;
        const char* y;
    };
    GdkDisplay* display = gdk_display_get_default();
    for (const Case& c :
         {Case{platform::Cursor::Hand, "2", "1"}, Case{platform::Cursor::HandExclaim, "2", "1"},
          Case{platform::Cursor::Pen, "4", "5"}}) {
        GdkPixbuf* picture = platform::load_cursor_picture(c.cursor);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_width(picture), 32);
        EXPECT_STREQ(gdk_pixbuf_get_option(picture, "x_hot"), c.x);
        EXPECT_STREQ(gdk_pixbuf_get_option(picture, "y_hot"), c.y);
        g_object_unref(picture);
        GdkCursor* cursor = platform::load_cursor(display, c.cursor);
        ASSERT_NE(cursor, nullptr);
        EXPECT_EQ(gdk_cursor_get_cursor_type(cursor), GDK_CURSOR_IS_PIXMAP);
        g_object_unref(cursor);
    }
    for (const auto& [art, width, height] : {std::tuple{platform::Art::Banner, 342, 112},
                                             std::tuple{platform::Art::AboutBanner, 267, 45}}) {
        GdkPixbuf* picture = platform::load_bitmap(art, 1.0);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_width(picture), width);
        EXPECT_EQ(gdk_pixbuf_get_height(picture), height);
        g_object_unref(picture);
    }
    for (const platform::Art art : {platform::Art::Emblem, platform::Art::OpenFolder}) {
        GdkPixbuf* icon = platform::load_icon(art, 48);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_width(icon), 48);
        g_object_unref(icon);
    }
}

} // namespace
