// Which label names a text box, so that a screen reader can speak the box by its caption: the
// label on its left in the same row, or else the one just above it.
#pragma once

#include "ui/form_table.h"

namespace ui {

// nullptr when no label stands beside or above the box.
const ControlSpec* naming_label(const FormSpec& form, const ControlSpec& box);

} // namespace ui
