// The program's pictures, icons and cursors, decoded from the artwork compiled into the program
// (the same icon, cursor and bitmap files as the Windows resources).
#pragma once

#include "ui/form_table.h"

#include <gtk/gtk.h>

namespace platform {

// A picture at `size` x `size` pixels (icons), or at its own size scaled by `scale` (bitmaps);
// nullptr for Art::None or artwork that cannot be decoded. The caller unrefs it.
GdkPixbuf* load_icon(ui::Art art, int size);
GdkPixbuf* load_bitmap(ui::Art art, double scale);

// A cursor's picture, carrying its hot spot as the options "x_hot" and "y_hot"; nullptr for
// Cursor::Default. The caller unrefs it.
GdkPixbuf* load_cursor_picture(ui::Cursor cursor);

// A cursor of the display, with the hot spot of its file; the platform's arrow for
// Cursor::Default. The caller unrefs it.
GdkCursor* load_cursor(GdkDisplay* display, ui::Cursor cursor);

} // namespace platform
