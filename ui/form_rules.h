// The rules of a dialog's keyboard and mouse that every front end shares, computed from the window
// table alone: front ends translate native events into these calls and act on what they return.
#pragma once

#include "ui/form_table.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace ui {

// Whether a control can take the focus right now (enabled and shown); empty means all can.
using Usable = std::function<bool(const ControlSpec&)>;

// The controls that take the focus, in keyboard order: by tab position, not by z-order.
std::vector<const ControlSpec*> keyboard_order(const FormSpec& form, const Usable& usable = {});

// Tab (or Shift+Tab when `backwards`) from the control named `current`: the next one in keyboard
// order, wrapping around; from a control outside the order, the first (or the last).
const ControlSpec* next_in_order(const FormSpec& form, std::string_view current, bool backwards,
                                 const Usable& usable = {});

// What Alt+key does: a button or check box is clicked (a check box also takes the focus), and a
// label hands the focus to the control after it in keyboard order, as in dialogs.
struct KeyAction {
    enum class Kind { Click, Focus };
    Kind kind;
    const ControlSpec* control;
};
std::optional<KeyAction> access_key_action(const FormSpec& form, char32_t key,
                                           const Usable& usable = {});

// The button that Enter presses: the focused one, otherwise the window's default button.
const ControlSpec* enter_target(const FormSpec& form, std::string_view focused);

// A control's rectangle in the window's client area, in twips (frame children are placed inside
// their frame).
Rect absolute_rect(const FormSpec& form, const ControlSpec& control);

// The control that takes a click at a point of the client area, in twips: the top-most one there,
// and inside a frame the top-most of the frame's children there; nullptr on bare surface.
const ControlSpec* hit_test(const FormSpec& form, int x, int y);

} // namespace ui
