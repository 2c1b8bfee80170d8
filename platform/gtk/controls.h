// One control of a window table as GTK widgets: the twin of each Win32 control's creation.
#pragma once

#include "ui/form_table.h"

#include <gtk/gtk.h>

#include <string>
#include <string_view>

namespace platform {

struct ControlWidgets {
    GtkWidget* outer = nullptr;   // what sits in the window's layout at the control's rectangle
    GtkWidget* widget = nullptr;  // the control itself: button, entry, label, frame ...
    GtkWidget* caption = nullptr; // the GtkLabel that shows its caption, where it has one
};

// Builds the widgets at their initial value (text, tick, picture), font, tool tip and
// accessible name, for a window at `dpi`. Signals are connected by the caller.
ControlWidgets make_control(const ui::FormSpec& form, const ui::ControlSpec& control, int dpi);

// A caption with '&' access keys as GTK mnemonics: "&Readme" -> "_Readme", "&&" -> "&", and a
// '_' of the caption kept as it is.
std::string mnemonic_caption(std::string_view caption);
// A caption without its access-key marks, as a screen reader should speak it.
std::string plain_caption(std::string_view caption);

// Sets a caption that may carry an access key.
void set_caption(const ControlWidgets& control, const ui::ControlSpec& spec, std::string_view text);

// Lets a button's, check box's or label's caption wrap only where the control, `width` pixels
// wide, cannot show it on one line (caption_label_fit). Called once the control is in its window
// and shown, and again after each change of its caption.
void fit_caption(const ControlWidgets& control, const ui::ControlSpec& spec, int width);

// Puts `cursor` on the windows through which `widget` takes the mouse (nullptr: its parent's).
void set_widget_cursor(GtkWidget* widget, GdkCursor* cursor);

} // namespace platform
