// The floor under the About strip's processor time: a bare GTK window whose 267 x 49 strip is
// redrawn, one plain colour, at the shipped movie's 12 frames a second. No GTK program can show
// that many frames for less.
#include <gtk/gtk.h>

namespace {

gboolean next_frame(gpointer strip)
{
    gtk_widget_queue_draw(static_cast<GtkWidget*>(strip));
    return G_SOURCE_CONTINUE;
}

gboolean draw(GtkWidget*, cairo_t* cr, gpointer)
{
    cairo_set_source_rgb(cr, 0x3a / 255.0, 0x12 / 255.0, 0x08 / 255.0);
    cairo_paint(cr);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* strip = gtk_drawing_area_new();
    gtk_widget_set_size_request(strip, 267, 49);
    gtk_container_add(GTK_CONTAINER(window), strip);
    g_signal_connect(strip, "draw", G_CALLBACK(draw), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    g_timeout_add(1000 / 12, next_frame, strip);
    gtk_main();
    return 0;
}
