// A control's caption: a GtkLabel that wraps only where its control is too narrow for one line,
// and then measures itself at the one width it is given.
#pragma once

#include <gtk/gtk.h>

namespace platform {

// A label for a caption; `mnemonic`: an underscore marks the access key.
GtkWidget* caption_label_new(const char* text, bool mnemonic);

// Lets `label` wrap only where `control` (the label itself or the widget that holds it), `width`
// pixels wide, cannot show it on one line. Called once the control is in its window and shown,
// and again after each change of the caption.
void caption_label_fit(GtkWidget* label, GtkWidget* control, int width);

} // namespace platform
