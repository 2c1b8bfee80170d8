// What the GTK tests share: a recorder of a window's events, the widgets found as a screen reader
// finds them (by title and accessible id), and keys and events fed in as the display would.
#pragma once

#include "platform/desktop.h"

#include <gtk/gtk.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace gtk_support {

struct Recorder final : platform::WindowEvents {
    std::vector<std::string> clicks;
    int close_requests = 0;
    void on_click(std::string_view control) override { clicks.emplace_back(control); }
    void on_close_request() override { ++close_requests; }
};

// Runs the main loop for a while, so that windows are mapped, placed and drawn.
inline void settle(int milliseconds = 150)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        g_usleep(5000);
    }
}

inline GtkWidget* toplevel_titled(std::string_view title)
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

template <class Type> GtkWidget* visible_toplevel_of_type(Type type)
{
    GtkWidget* found = nullptr;
    GList* all = gtk_window_list_toplevels();
    for (GList* it = all; it != nullptr; it = it->next) {
        if (G_TYPE_CHECK_INSTANCE_TYPE(it->data, type) &&
            gtk_widget_get_visible(GTK_WIDGET(it->data)))
            found = GTK_WIDGET(it->data);
    }
    g_list_free(all);
    return found;
}

struct Search {
    std::string_view id;
    GtkWidget* found = nullptr;
};

inline void search_widget(GtkWidget* widget, gpointer data)
{
    auto* search = static_cast<Search*>(data);
    if (search->found != nullptr) return;
    const char* id = atk_object_get_accessible_id(gtk_widget_get_accessible(widget));
    if (id != nullptr && search->id == id) {
        search->found = widget;
        return;
    }
    if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), search_widget, data);
}

// A control by its accessible id, which is its name in the window's table.
inline GtkWidget* control(GtkWidget* window, std::string_view id)
{
    Search search{id};
    gtk_container_forall(GTK_CONTAINER(window), search_widget, &search);
    return search.found;
}

inline std::string accessible_id(GtkWidget* widget)
{
    const char* id = widget != nullptr
                         ? atk_object_get_accessible_id(gtk_widget_get_accessible(widget))
                         : nullptr;
    return id != nullptr ? id : "";
}

// The focused control's accessible id, or "".
inline std::string focused(GtkWidget* window)
{
    for (GtkWidget* w = gtk_window_get_focus(GTK_WINDOW(window)); w != nullptr;
         w = gtk_widget_get_parent(w)) {
        if (std::string id = accessible_id(w); !id.empty()) return id;
    }
    return "";
}

// A key as the display delivers it to the window that has the keyboard.
inline void press_key(GtkWidget* window, guint keyval, GdkModifierType state = GdkModifierType(0))
{
    GdkDisplay* display = gtk_widget_get_display(window);
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        event->key.keyval = keyval;
        event->key.state = state;
        GdkKeymapKey* keys = nullptr;
        gint count = 0;
        if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys,
                                              &count) &&
            count > 0) {
            event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
            event->key.group = static_cast<guint8>(keys[0].group);
        }
        g_free(keys);
        gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
    settle(20);
}

inline void type_text(GtkWidget* window, std::string_view ascii)
{
    for (char c : ascii) press_key(window, gdk_unicode_to_keyval(static_cast<guint32>(c)));
}

// The window manager's close request (Alt+F4, the title bar's menu).
inline void request_close(GtkWidget* window)
{
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    event->any.send_event = TRUE;
    gtk_main_do_event(event);
    gdk_event_free(event);
    settle(20);
}

} // namespace gtk_support
