// The About window's movie strip on GTK: no movie player exists here, so it always shows the
// program's own animation, painted with cairo on a timer.
#pragma once

#include "platform/form_table.h"
#include "platform/movie_animation.h"

#include <gtk/gtk.h>

namespace platform {

// A focusable drawing area that plays the animation with the presets (autoplay, loop).
GtkWidget* movie_strip_new(const MoviePresets& presets);
// Loading a movie (re)starts the animation from its beginning.
void movie_strip_restart(GtkWidget* strip);

} // namespace platform
