// Captions that wrap only where they must. A wrapping GtkLabel measures its least width with a
// layout of no width at all: one Chinese character a line, the rest of the text laid out anew
// for every line, at every measure. That was most of a window's text work at start, for a
// minimum that the window tables never use (each control has its rectangle). Most captions fit
// on one line and do not wrap; one that must wrap knows the width it will have, and reports
// that as its least and natural width, so that it is laid out at that width only.
#include "platform/gtk/caption_label.h"

#include <algorithm>

namespace {

struct SkirmishCaption {
    GtkLabel parent;
    int fit_width; // where it wraps: the width its control gives it; otherwise -1
};

struct SkirmishCaptionClass {
    GtkLabelClass parent_class;
};

G_DEFINE_TYPE(SkirmishCaption, skirmish_caption, GTK_TYPE_LABEL)

void preferred_width(GtkWidget* widget, int* minimum, int* natural)
{
    const int fit = reinterpret_cast<SkirmishCaption*>(widget)->fit_width;
    if (fit < 0 || !gtk_label_get_line_wrap(GTK_LABEL(widget))) {
        GTK_WIDGET_CLASS(skirmish_caption_parent_class)
            ->get_preferred_width(widget, minimum, natural);
        return;
    }
    *minimum = *natural = fit;
}

void skirmish_caption_class_init(SkirmishCaptionClass* type)
{
    GTK_WIDGET_CLASS(type)->get_preferred_width = preferred_width;
}

void skirmish_caption_init(SkirmishCaption* caption)
{
    caption->fit_width = -1;
}

} // namespace

namespace platform {

GtkWidget* caption_label_new(const char* text, bool mnemonic)
{
    return GTK_WIDGET(g_object_new(skirmish_caption_get_type(), "label", text, "use-underline",
                                   mnemonic ? TRUE : FALSE, nullptr));
}

void caption_label_fit(GtkWidget* label, GtkWidget* control, int width)
{
    auto* caption = reinterpret_cast<SkirmishCaption*>(label);
    caption->fit_width = -1;
    gtk_label_set_line_wrap(GTK_LABEL(label), FALSE);
    // On one line the caption asks for its whole text; what the control adds around it is the
    // rest of the control's least width.
    int control_minimum = 0;
    int text_width = 0;
    gtk_widget_get_preferred_width(control, &control_minimum, nullptr);
    if (control_minimum <= width) return;
    gtk_widget_get_preferred_width(label, &text_width, nullptr);
    caption->fit_width = std::max(1, width - (control_minimum - text_width));
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
}

} // namespace platform
