// What the GTK program takes from the display: its DPI, the table's fonts through fontconfig,
// and the few style rules that keep the theme's minimum sizes out of the window tables.
#pragma once

#include "ui/form_table.h"

#include <gtk/gtk.h>

namespace platform {

// The display's dots per inch in GTK's logical pixels (Xft/DPI; 96 when the display says
// nothing). The monitor's scale factor lies beneath logical pixels: GTK applies it itself.
int display_dpi();

// The table's font, with its face mapped to what is installed: the Song face through fontconfig
// to an installed Song-style CJK face, and the dialog font (no face) as on a Chinese system. The
// caller frees it.
PangoFontDescription* font_description(const ui::Font& font);

// Installs the program's style rules for the default screen, once.
void install_style();

// The style class that those rules are limited to.
inline constexpr char kTableStyleClass[] = "skirmish-table";

} // namespace platform
