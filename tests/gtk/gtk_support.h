// What the GTK tests share: a recorder of a window's events, and the widgets found as a screen
// reader finds them (by title and accessible id).
#pragma once

#include "ui/desktop.h"

#include <gtk/gtk.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace gtk_support {

struct Recorder final : ui::WindowEvents {
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

} // namespace gtk_support
