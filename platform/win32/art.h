// The program's pictures, icons and cursors, loaded from the exe's resources.
#pragma once

#include "ui/form_table.h"

#include <windows.h>

namespace platform {

// An icon at a pixel size (32 at 96 dpi); the caller destroys it. nullptr for Art::None.
HICON load_icon(ui::Art art, int size);
// A bitmap at its own size; the caller deletes it. nullptr for Art::None.
HBITMAP load_bitmap(ui::Art art);
// A shared cursor: never destroyed. nullptr for Cursor::Default.
HCURSOR load_cursor(ui::Cursor cursor);

} // namespace platform
