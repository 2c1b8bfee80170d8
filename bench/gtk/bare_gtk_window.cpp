// The yardstick for the GTK program's start: one captioned window and one button, painted once,
// built with the same compiler and flags.
//
// Built a second time as text_gtk_window (FORM_TEXT): the same window, larger, with the main
// window's text (its title, every caption and number) in the program's fonts, one label per
// font, above the button. Against the bare window it shows what the Chinese text alone costs (its
// font files, shaping and glyphs); against the program, what the controls cost.
#include <gtk/gtk.h>

#ifdef FORM_TEXT
#include "bench/form_text.h"
#include "platform/gtk/display.h"
#include "settings/main_window.h"

#include <string>

namespace {

GtkWidget* form_text()
{
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    for (const bench::TextRun& run : bench::text_by_font(settings::kForm1)) {
        GtkWidget* label = gtk_label_new(run.text.c_str());
        gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        PangoAttrList* attributes = pango_attr_list_new();
        PangoFontDescription* font = platform::font_description(run.font);
        pango_attr_list_insert(attributes, pango_attr_font_desc_new(font));
        pango_font_description_free(font);
        gtk_label_set_attributes(GTK_LABEL(label), attributes);
        pango_attr_list_unref(attributes);
        gtk_box_pack_start(GTK_BOX(column), label, FALSE, FALSE, 0);
    }
    return column;
}

} // namespace
#endif

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Bare window");
    gtk_window_set_default_size(GTK_WINDOW(window), 342, 454);
    GtkWidget* button = gtk_button_new_with_label("OK");
#ifdef FORM_TEXT
    gtk_window_set_title(GTK_WINDOW(window), std::string(settings::kForm1.caption).c_str());
    gtk_window_set_default_size(GTK_WINDOW(window), 640, 720);
    GtkWidget* column = form_text();
    gtk_box_pack_end(GTK_BOX(column), button, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window), column);
#else
    gtk_container_add(GTK_CONTAINER(window), button);
#endif
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
