// The client area of a window built from a table: a container of a fixed size that puts each
// control at exactly its rectangle, whatever the theme would rather give it.
#pragma once

#include <gtk/gtk.h>

namespace platform {

// A container `width` x `height` pixels.
GtkWidget* table_layout_new(int width, int height);
// Adds `child` at `rect` (pixels of the client area), above every child added before it.
void table_layout_put(GtkWidget* layout, GtkWidget* child, const GdkRectangle& rect);

} // namespace platform
