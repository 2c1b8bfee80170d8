// What the GTK front end does that a user cannot see from outside: values set by the program fire
// nothing, captions wrap only where they must, a hidden window keeps its place. Everything a user
// meets is tested end to end through the accessibility interface (tests/gtk-e2e).
#include "info/resources_window.h"
#include "platform/native_desktop.h"
#include "settings/main_window.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// GTK on the display that the test runner made, before any test.
struct GtkOnTheDisplay final : testing::Environment {
    void SetUp() override
    {
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display to test the GTK front end on";
    }
};
const testing::Environment* const kGtk = testing::AddGlobalTestEnvironment(new GtkOnTheDisplay);

struct Recorder final : ui::WindowEvents {
    std::vector<std::string> clicks;
    void on_click(std::string_view control) override { clicks.emplace_back(control); }
    void on_close_request() override {}
};

// Runs the main loop for a while, so that windows are mapped, placed and drawn.
void settle(int milliseconds = 150)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        g_usleep(5000);
    }
}

GtkWidget* toplevel_titled(std::string_view title)
{
    GtkWidget* found = nullptr;
    GList* all = gtk_window_list_toplevels();
    for (GList* it = all; it != nullptr; it = it->next) {
        auto* window = static_cast<GtkWindow*>(it->data);
        const char* t = gtk_window_get_title(window);
        if (t != nullptr && title == t && gtk_widget_get_visible(GTK_WIDGET(window)))
            found = GTK_WIDGET(window);
    }
    g_list_free(all);
    return found;
}

// The first widget, `widget` itself or one inside it, that `wanted` picks.
GtkWidget* find_widget(GtkWidget* widget, const std::function<bool(GtkWidget*)>& wanted)
{
    if (widget == nullptr || wanted(widget)) return widget;
    GtkWidget* found = nullptr;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* it = children; it != nullptr && found == nullptr; it = it->next)
            found = find_widget(GTK_WIDGET(it->data), wanted);
        g_list_free(children);
    }
    return found;
}

// A control as a screen reader finds it: by its accessible id, which is its name in the table.
GtkWidget* control(GtkWidget* window, std::string_view id)
{
    return find_widget(window, [id](GtkWidget* w) {
        const char* its = atk_object_get_accessible_id(gtk_widget_get_accessible(w));
        return its != nullptr && id == its;
    });
}

struct Shown {
    platform::NativeDesktop desktop;
    Recorder events;
    ui::WindowId id;
    GtkWidget* window;

    explicit Shown(const ui::FormSpec& spec) : id(desktop.create(spec, events))
    {
        desktop.show(id);
        settle();
        window = toplevel_titled(spec.caption);
    }
};

// Values set by the program fire no handler and read back as set. A caption too long for its
// control wraps within the control's width, also after the program changes it; one that fits
// stays on one line.
TEST(GtkWindows, ValuesSetByTheProgramFireNothingAndCaptionsWrapOnlyWhereTheyMust)
{
    Shown shown(settings::kForm1);
    shown.desktop.set_text(shown.id, "Text1", "99");
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
        GtkWidget* label = find_widget(control(shown.window, c.control),
                                       [](GtkWidget* w) { return GTK_IS_LABEL(w); });
        ASSERT_NE(label, nullptr);
        PangoLayout* layout = gtk_label_get_layout(GTK_LABEL(label));
        EXPECT_EQ(pango_layout_get_line_count(layout) > 1, c.several_lines);
        int width = 0;
        pango_layout_get_pixel_size(layout, &width, nullptr);
        EXPECT_LE(width, gtk_widget_get_allocated_width(label));
    }
    EXPECT_TRUE(shown.events.clicks.empty());
    EXPECT_EQ(shown.desktop.text(shown.id, "Text1"), "99");
    EXPECT_EQ(shown.desktop.text(shown.id, "Check1"), "短(&S)");
    EXPECT_EQ(shown.desktop.text(shown.id, "Label1"), "短");
    EXPECT_EQ(shown.desktop.check(shown.id, "Check1"), ui::CheckState::Unchecked);
    EXPECT_EQ(shown.desktop.check(shown.id, "Check6"), ui::CheckState::Checked);

    // A click by the user is heard, and ticks the box.
    gtk_button_clicked(GTK_BUTTON(control(shown.window, "Check1")));
    EXPECT_EQ(shown.events.clicks, std::vector<std::string>{"Check1"});
    EXPECT_EQ(shown.desktop.check(shown.id, "Check1"), ui::CheckState::Checked);
}

TEST(GtkWindows, AHiddenWindowComesBackWhereItWas)
{
    Shown shown(info::kForm3);
    const auto position = [&] {
        std::pair<int, int> at;
        gtk_window_get_position(GTK_WINDOW(shown.window), &at.first, &at.second);
        return at;
    };
    gtk_window_move(GTK_WINDOW(shown.window), 40, 30);
    settle();
    const std::pair<int, int> before = position();
    shown.desktop.hide(shown.id);
    settle();
    EXPECT_EQ(toplevel_titled(info::kForm3.caption), nullptr);
    shown.desktop.show(shown.id);
    settle();
    EXPECT_EQ(position(), before);
}

} // namespace
