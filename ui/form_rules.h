// Where a window's controls lie and which one takes a click, computed from the window table
// alone, for every front end.
#pragma once

#include "ui/form_table.h"

namespace ui {

// A control's rectangle in the window's client area, in twips (frame children are placed inside
// their frame).
Rect absolute_rect(const FormSpec& form, const ControlSpec& control);

// The same in pixels at `dpi`. Edges are rounded, not sizes, so that neighbours stay flush.
Rect pixel_rect(const FormSpec& form, const ControlSpec& control, int dpi);

// The control that takes a click at a point of the client area, in twips: the top-most one there,
// and inside a frame the top-most of the frame's children there; nullptr on bare surface.
const ControlSpec* hit_test(const FormSpec& form, int x, int y);

} // namespace ui
