// The movie strip: the player's frame rendered into a cairo image kept between paints, a timer at
// the movie's own rate while it plays, and the Play / Loop / Rewind / Forward / Back menu.
#include "platform/gtk/movie_strip.h"

#include "movie/load.h"
#include "movie/player.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace platform {
namespace {

constexpr char kStripKey[] = "skirmish-movie-strip";

struct Strip {
    movie::Player player;
    bool playing = false;
    bool looping = true;
    guint timer = 0;
    cairo_surface_t* frame = nullptr; // kept while the size stays
    int rendered = -1;                // the player's frame in `frame`; -1: render anew
    bool rendered_focus = false;      // whether `frame` holds the focus ring too
    // The theme's focus ring at the strip's size, premultiplied: drawing it with the theme at
    // every frame cost more than the frame itself, so it is drawn once and laid over each frame.
    std::vector<std::pair<std::size_t, std::uint32_t>> ring;
    int ring_width = 0, ring_height = 0;
    GtkWidget* menu = nullptr;
    GtkWidget* play_item = nullptr;
    GtkWidget* loop_item = nullptr;
    bool syncing_menu = false; // ticks set from the state are no commands

    ~Strip()
    {
        if (timer != 0) g_source_remove(timer);
        if (frame != nullptr) cairo_surface_destroy(frame);
    }
};

Strip* strip_of(GtkWidget* widget)
{
    return static_cast<Strip*>(g_object_get_data(G_OBJECT(widget), kStripKey));
}

// A FIFO or a device named like the movie would block or never end: only a regular file is read.
std::FILE* open_movie(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) close(fd);
    return file;
}

void show_frame(GtkWidget* widget, Strip& strip)
{
    strip.rendered = -1;
    gtk_widget_queue_draw(widget);
}

gboolean tick(gpointer data)
{
    auto* widget = static_cast<GtkWidget*>(data);
    Strip* strip = strip_of(widget);
    if (strip == nullptr) return G_SOURCE_REMOVE;
    const int before = strip->player.frame();
    if (!strip->looping && before == strip->player.frame_count() - 1) {
        strip->playing = false;
        strip->timer = 0;
        return G_SOURCE_REMOVE;
    }
    strip->player.next_frame();
    // A movie held by a Stop, or of one frame, costs nothing while it stands still.
    if (strip->player.frame() != before) gtk_widget_queue_draw(widget);
    return G_SOURCE_CONTINUE;
}

void pause(Strip& strip)
{
    strip.playing = false;
    if (strip.timer != 0) g_source_remove(strip.timer);
    strip.timer = 0;
}

void play(GtkWidget* widget, Strip& strip)
{
    if (strip.timer != 0 || !strip.player.playable()) return;
    strip.playing = true;
    const double interval = 1000.0 / strip.player.frames_per_second();
    strip.timer = g_timeout_add(static_cast<guint>(interval + 0.5), tick, widget);
}

bool animations_enabled()
{
    gboolean animate = TRUE;
    g_object_get(gtk_settings_get_default(), "gtk-enable-animations", &animate, nullptr);
    return animate != FALSE;
}

// The focus ring's pixels at this size, by the theme, once per size.
void make_ring(GtkWidget* widget, Strip& strip, int pixels_wide, int pixels_high, int scale)
{
    if (strip.ring_width == pixels_wide && strip.ring_height == pixels_high) return;
    strip.ring.clear();
    strip.ring_width = pixels_wide;
    strip.ring_height = pixels_high;
    cairo_surface_t* ring =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels_wide, pixels_high);
    cairo_surface_set_device_scale(ring, scale, scale);
    cairo_t* cr = cairo_create(ring);
    gtk_render_focus(gtk_widget_get_style_context(widget), cr, 1, 1, pixels_wide / scale - 2,
                     pixels_high / scale - 2);
    cairo_destroy(cr);
    cairo_surface_flush(ring);
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(ring));
    const int stride = cairo_image_surface_get_stride(ring) / 4;
    for (int y = 0; pixels != nullptr && y < pixels_high; ++y) {
        for (int x = 0; x < pixels_wide; ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * stride + x];
            if (pixel >> 24 != 0)
                strip.ring.emplace_back(static_cast<std::size_t>(y) * stride + x, pixel);
        }
    }
    cairo_surface_destroy(ring);
}

// Lays the premultiplied ring over the frame (the same stride: both surfaces are as wide).
void lay_ring(const Strip& strip, std::uint32_t* pixels)
{
    for (const auto& [at, over] : strip.ring) {
        const std::uint32_t keep = 255 - (over >> 24);
        const std::uint32_t under = pixels[at];
        std::uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t channel =
                (over >> shift & 0xFF) + ((under >> shift & 0xFF) * keep + 127) / 255;
            out |= std::min<std::uint32_t>(channel, 255) << shift;
        }
        pixels[at] = out;
    }
}

gboolean draw(GtkWidget* widget, cairo_t* cr, gpointer)
{
    try {
        Strip* strip = strip_of(widget);
        const int width = gtk_widget_get_allocated_width(widget);
        const int height = gtk_widget_get_allocated_height(widget);
        if (strip == nullptr || width <= 0 || height <= 0) return TRUE;
        // Drawn at the monitor's own pixels, so that the strip stays sharp on a scaled display.
        const int scale = gtk_widget_get_scale_factor(widget);
        const int pixels_wide = width * scale;
        const int pixels_high = height * scale;
        if (strip->frame == nullptr || cairo_image_surface_get_width(strip->frame) != pixels_wide ||
            cairo_image_surface_get_height(strip->frame) != pixels_high) {
            if (strip->frame != nullptr) cairo_surface_destroy(strip->frame);
            strip->frame = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels_wide, pixels_high);
            cairo_surface_set_device_scale(strip->frame, scale, scale);
            strip->rendered = -1;
        }
        auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(strip->frame));
        if (pixels == nullptr) return TRUE;
        const bool focus = gtk_widget_has_visible_focus(widget) != FALSE;
        if (strip->rendered != strip->player.frame() || strip->rendered_focus != focus) {
            cairo_surface_flush(strip->frame);
            strip->player.render(pixels, pixels_wide, pixels_high,
                                 cairo_image_surface_get_stride(strip->frame) / 4);
            if (focus) {
                make_ring(widget, *strip, pixels_wide, pixels_high, scale);
                lay_ring(*strip, pixels);
            }
            cairo_surface_mark_dirty(strip->frame);
            strip->rendered = strip->player.frame();
            strip->rendered_focus = focus;
        }
        cairo_set_source_surface(cr, strip->frame, 0, 0);
        cairo_paint(cr);
    } catch (...) {
    }
    return TRUE;
}

// -- the context menu

GtkWidget* strip_widget_of(GtkWidget* item)
{
    return static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(item), kStripKey));
}

void play_toggled(GtkCheckMenuItem* item, gpointer)
{
    GtkWidget* widget = strip_widget_of(GTK_WIDGET(item));
    Strip* strip = widget != nullptr ? strip_of(widget) : nullptr;
    if (strip == nullptr || strip->syncing_menu) return;
    if (gtk_check_menu_item_get_active(item))
        play(widget, *strip);
    else
        pause(*strip);
}

void loop_toggled(GtkCheckMenuItem* item, gpointer)
{
    GtkWidget* widget = strip_widget_of(GTK_WIDGET(item));
    Strip* strip = widget != nullptr ? strip_of(widget) : nullptr;
    if (strip != nullptr && !strip->syncing_menu)
        strip->looping = gtk_check_menu_item_get_active(item) != FALSE;
}

enum class Step { Rewind, Forward, Back };

void stepped(GtkMenuItem* item, gpointer data)
{
    GtkWidget* widget = strip_widget_of(GTK_WIDGET(item));
    Strip* strip = widget != nullptr ? strip_of(widget) : nullptr;
    if (strip == nullptr) return;
    try {
        switch (static_cast<Step>(GPOINTER_TO_INT(data))) {
        case Step::Rewind: strip->player.rewind(); break;
        case Step::Forward:
            pause(*strip);
            strip->player.next_frame();
            break;
        case Step::Back:
            pause(*strip);
            strip->player.previous_frame();
            break;
        }
    } catch (...) {
    }
    show_frame(widget, *strip);
}

GtkWidget* add_item(GtkWidget* menu, GtkWidget* strip, GtkWidget* item)
{
    g_object_set_data(G_OBJECT(item), kStripKey, strip);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return item;
}

void add_step(GtkWidget* menu, GtkWidget* strip, const char* label, Step step)
{
    GtkWidget* item = add_item(menu, strip, gtk_menu_item_new_with_label(label));
    g_signal_connect(item, "activate", G_CALLBACK(stepped),
                     GINT_TO_POINTER(static_cast<int>(step)));
}

GtkWidget* menu_of(GtkWidget* widget, Strip& strip)
{
    if (strip.menu != nullptr) return strip.menu;
    strip.menu = gtk_menu_new();
    strip.play_item = add_item(strip.menu, widget, gtk_check_menu_item_new_with_label("Play"));
    g_signal_connect(strip.play_item, "toggled", G_CALLBACK(play_toggled), nullptr);
    strip.loop_item = add_item(strip.menu, widget, gtk_check_menu_item_new_with_label("Loop"));
    g_signal_connect(strip.loop_item, "toggled", G_CALLBACK(loop_toggled), nullptr);
    gtk_menu_shell_append(GTK_MENU_SHELL(strip.menu), gtk_separator_menu_item_new());
    add_step(strip.menu, widget, "Rewind", Step::Rewind);
    add_step(strip.menu, widget, "Forward", Step::Forward);
    add_step(strip.menu, widget, "Back", Step::Back);
    gtk_widget_show_all(strip.menu);
    gtk_menu_attach_to_widget(GTK_MENU(strip.menu), widget, nullptr);
    return strip.menu;
}

void show_menu(GtkWidget* widget, const GdkEvent* trigger)
{
    Strip* strip = strip_of(widget);
    if (strip == nullptr) return;
    GtkWidget* menu = menu_of(widget, *strip);
    strip->syncing_menu = true;
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(strip->play_item), strip->playing);
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(strip->loop_item), strip->looping);
    strip->syncing_menu = false;
    if (trigger != nullptr) {
        gtk_menu_popup_at_pointer(GTK_MENU(menu), trigger);
        return;
    }
    gtk_menu_popup_at_widget(GTK_MENU(menu), widget, GDK_GRAVITY_CENTER, GDK_GRAVITY_NORTH_WEST,
                             nullptr);
    // Opened from the keyboard, the menu takes the arrows and Enter at once.
    gtk_menu_shell_select_first(GTK_MENU_SHELL(menu), FALSE);
}

gboolean pressed(GtkWidget* widget, GdkEventButton* event, gpointer)
{
    gtk_widget_grab_focus(widget);
    if (gdk_event_triggers_context_menu(reinterpret_cast<GdkEvent*>(event)))
        show_menu(widget, reinterpret_cast<GdkEvent*>(event));
    return TRUE;
}

// Shift+F10 and the Menu key, while the strip has the keyboard.
gboolean popup_requested(GtkWidget* widget, gpointer)
{
    show_menu(widget, nullptr);
    return TRUE;
}

// The timer and the menu go with the window, not only when the last reference to the widget goes.
void destroyed(GtkWidget* widget, gpointer)
{
    if (Strip* strip = strip_of(widget)) {
        pause(*strip);
        if (strip->menu != nullptr) gtk_widget_destroy(strip->menu);
        strip->menu = nullptr;
    }
}

// Another theme draws another ring.
void style_updated(GtkWidget* widget, gpointer)
{
    if (Strip* strip = strip_of(widget)) {
        strip->ring_width = strip->ring_height = 0;
        strip->rendered = -1;
    }
}

void delete_strip(gpointer data)
{
    delete static_cast<Strip*>(data);
}

} // namespace

GtkWidget* movie_strip_new()
{
    GtkWidget* area = gtk_drawing_area_new();
    auto* strip = new Strip;
    g_object_set_data_full(G_OBJECT(area), kStripKey, strip, delete_strip);
    gtk_widget_set_can_focus(area, TRUE);
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(area, "draw", G_CALLBACK(draw), nullptr);
    g_signal_connect(area, "button-press-event", G_CALLBACK(pressed), nullptr);
    g_signal_connect(area, "popup-menu", G_CALLBACK(popup_requested), nullptr);
    g_signal_connect(area, "destroy", G_CALLBACK(destroyed), nullptr);
    g_signal_connect(area, "style-updated", G_CALLBACK(style_updated), nullptr);
    return area;
}

void movie_strip_play(GtkWidget* widget, std::string_view path)
{
    Strip* strip = strip_of(widget);
    if (strip == nullptr) return;
    const std::string file(path);
    pause(*strip);
    strip->player = movie::load(open_movie(file));
    show_frame(widget, *strip);
    const std::size_t slash = file.find_last_of('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    atk_object_set_name(gtk_widget_get_accessible(widget), name.c_str());
    if (animations_enabled()) play(widget, *strip);
}

} // namespace platform
