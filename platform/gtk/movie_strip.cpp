// The movie strip: the shared animation's pixels in a cairo image, the caption's letters drawn by
// Pango, a frame every 33 ms while it plays.
#include "platform/gtk/movie_strip.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr guint kFrameMilliseconds = 33; // about 30 frames a second, as on Windows
constexpr char kStripKey[] = "skirmish-movie-strip";

// The caption in a bold sans face, as Pango draws it.
class PangoLetters final : public CaptionLetters {
public:
    int width(int em_pixels, int spacing) override
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
        cairo_t* cr = cairo_create(surface);
        PangoLayout* layout = make_layout(cr, em_pixels, spacing);
        int width = 0;
        pango_layout_get_pixel_size(layout, &width, nullptr);
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        return width;
    }

    void draw(int em_pixels, int spacing, std::uint8_t* coverage, int width, int height) override
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
        cairo_t* cr = cairo_create(surface);
        PangoLayout* layout = make_layout(cr, em_pixels, spacing);
        int text_width = 0;
        int text_height = 0;
        pango_layout_get_pixel_size(layout, &text_width, &text_height);
        cairo_move_to(cr, (width - text_width) / 2, (height - text_height) / 2);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS && data != nullptr) {
            for (int y = 0; y < height; ++y) {
                std::memcpy(coverage + static_cast<std::size_t>(y) * width,
                            data + static_cast<std::size_t>(y) * stride, width);
            }
        }
        cairo_surface_destroy(surface);
    }

private:
    static PangoLayout* make_layout(cairo_t* cr, int em_pixels, int spacing)
    {
        PangoLayout* layout = pango_cairo_create_layout(cr);
        PangoFontDescription* font = pango_font_description_from_string(
            "Tahoma,Liberation Sans,DejaVu Sans,sans-serif Bold");
        pango_font_description_set_absolute_size(font, em_pixels * PANGO_SCALE);
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_letter_spacing_new(spacing * PANGO_SCALE));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
        pango_layout_set_text(layout, kAnimationCaption, -1);
        return layout;
    }
};

struct Strip {
    MoviePresets presets;
    MovieAnimation animation;
    PangoLetters letters;
    cairo_surface_t* frame = nullptr; // kept while the size stays
    gint64 started = 0;               // monotonic microseconds at the last (re)start
    guint timer = 0;
    double held = kAnimationRest; // the moment shown while not running

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

double animation_time(const Strip& strip)
{
    if (strip.timer == 0) return strip.held;
    const double elapsed = static_cast<double>(g_get_monotonic_time() - strip.started) / 1e6;
    return strip.presets.loop ? elapsed : std::min(elapsed, kAnimationRest);
}

gboolean next_frame(gpointer data)
{
    auto* widget = static_cast<GtkWidget*>(data);
    Strip* strip = strip_of(widget);
    if (strip == nullptr) return G_SOURCE_REMOVE;
    gtk_widget_queue_draw(widget);
    if (!strip->presets.loop && animation_time(*strip) >= kAnimationRest) {
        strip->held = kAnimationRest;
        strip->timer = 0;
        return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
}

gboolean draw(GtkWidget* widget, cairo_t* cr, gpointer)
{
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
    }
    auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(strip->frame));
    if (pixels != nullptr) {
        cairo_surface_flush(strip->frame);
        strip->animation.paint(pixels, pixels_wide, pixels_high,
                               cairo_image_surface_get_stride(strip->frame) / 4,
                               animation_time(*strip), strip->letters);
        cairo_surface_mark_dirty(strip->frame);
        cairo_set_source_surface(cr, strip->frame, 0, 0);
        cairo_paint(cr);
    }
    if (gtk_widget_has_visible_focus(widget)) {
        gtk_render_focus(gtk_widget_get_style_context(widget), cr, 1, 1, width - 2, height - 2);
    }
    return TRUE;
}

gboolean pressed(GtkWidget* widget, GdkEventButton*, gpointer)
{
    gtk_widget_grab_focus(widget);
    return TRUE;
}

// The timer stops with the window, not only when the last reference to the widget goes.
void destroyed(GtkWidget* widget, gpointer)
{
    if (Strip* strip = strip_of(widget); strip != nullptr && strip->timer != 0) {
        g_source_remove(strip->timer);
        strip->timer = 0;
    }
}

void delete_strip(gpointer data)
{
    delete static_cast<Strip*>(data);
}

} // namespace

GtkWidget* movie_strip_new(const MoviePresets& presets)
{
    GtkWidget* area = gtk_drawing_area_new();
    auto* strip = new Strip;
    strip->presets = presets;
    g_object_set_data_full(G_OBJECT(area), kStripKey, strip, delete_strip);
    gtk_widget_set_can_focus(area, TRUE);
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(area, "draw", G_CALLBACK(draw), nullptr);
    g_signal_connect(area, "button-press-event", G_CALLBACK(pressed), nullptr);
    g_signal_connect(area, "destroy", G_CALLBACK(destroyed), nullptr);
    if (presets.autoplay) movie_strip_restart(area);
    return area;
}

void movie_strip_restart(GtkWidget* widget)
{
    Strip* strip = strip_of(widget);
    if (strip == nullptr) return;
    if (strip->timer != 0) g_source_remove(strip->timer);
    strip->timer = 0;
    strip->started = g_get_monotonic_time();
    strip->held = kAnimationRest;
    // The user who turned animations off sees a still picture.
    gboolean animate = TRUE;
    g_object_get(gtk_settings_get_default(), "gtk-enable-animations", &animate, nullptr);
    if (animate) strip->timer = g_timeout_add(kFrameMilliseconds, next_frame, widget);
    gtk_widget_queue_draw(widget);
}

} // namespace platform
