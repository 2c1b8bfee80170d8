// The About window's movie strip on GTK: plays the movie file with the program's own player, on a
// timer at the movie's frame rate, with a small context menu of player commands.
#pragma once

#include "ui/form_table.h"

#include <gtk/gtk.h>

#include <string_view>

namespace platform {

// A focusable drawing area showing the plain ground until a movie is set.
GtkWidget* movie_strip_new();
// Reads the movie at the UTF-8 path and plays it from its first frame (paused there when the
// desktop asks for less motion); a file that cannot be played leaves the plain ground.
void movie_strip_play(GtkWidget* strip, std::string_view path);

} // namespace platform
