// The keyboard of every window, as a dialog's: Tab and Shift+Tab in keyboard order (by tab
// position, not by z-order), Enter for the focused or the default button, Alt+letter for the
// access keys. Front ends translate their native key events into a Key and let handle_key act
// on the window through a FocusHost.
#pragma once

#include "ui/form_table.h"

namespace ui {

struct Key {
    enum class Kind { Tab, Enter, Char };
    Kind kind;
    char32_t ch = 0; // Char: the character typed
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

// What the keyboard acts on: one window's controls, as the front end has them.
class FocusHost {
public:
    virtual const ControlSpec* focused() const = 0;
    virtual void focus(const ControlSpec* control) = 0;
    // Clicks the control as the mouse would; the click may destroy the window, so it is the last
    // thing done to the host.
    virtual void press(const ControlSpec* control) = 0;
    // Enabled and shown: what may take the focus or a click.
    virtual bool usable(const ControlSpec& control) const = 0;

protected:
    ~FocusHost() = default;
};

// Acts on `key` and says whether it was the window's: Tab moves the focus, wrapping around;
// Enter presses the button default_button names; Alt+access key clicks a button or check box
// after giving it the focus, and a label hands the focus to the control after it.
bool handle_key(const FormSpec& form, FocusHost& host, const Key& key);

// The control that takes the focus when the window is first shown: the first in keyboard order.
const ControlSpec* first_focus(const FormSpec& form, const FocusHost& host);

// The button Enter presses, which front ends draw as the default: the focused one, otherwise the
// window's default button.
const ControlSpec* default_button(const FormSpec& form, const ControlSpec* focused);

} // namespace ui
