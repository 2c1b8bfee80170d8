// Whether a window's controls hold together, worked out while compiling: each window's source
// asserts it of its table, so a table that breaks one of these rules does not build.
#pragma once

#include "ui/form_table.h"

#include <span>
#include <string_view>

namespace ui {

// Each control's name once; a keyboard position and an access key for at most one control each;
// every control that can take the focus in the keyboard order; at most one default button; and a
// parent, where named, that is a frame of the same window.
constexpr bool holds_together(std::span<const ControlSpec> controls)
{
    int default_buttons = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlSpec& c = controls[i];
        if (takes_focus(c.kind) && c.tab == kNoTab) return false;
        default_buttons += c.default_button ? 1 : 0;
        bool parent_found = c.parent.empty();
        for (const ControlSpec& p : controls) {
            if (p.name == c.parent && p.kind == ControlKind::Frame) parent_found = true;
        }
        if (!parent_found) return false;
        for (std::size_t j = 0; j < i; ++j) {
            const ControlSpec& o = controls[j];
            if (o.name == c.name) return false;
            if (c.tab != kNoTab && o.tab == c.tab) return false;
            if (access_key(c.text) != 0 && access_key(o.text) == access_key(c.text)) return false;
        }
    }
    return default_buttons <= 1;
}

// Each click handler names a button or a link of the window, and each button and link has a
// handler: a button that does nothing, or a handler no control reaches, does not build.
template <class Handlers>
constexpr bool handles_every_click(std::span<const ControlSpec> controls, const Handlers& handlers)
{
    const auto handled = [&](std::string_view name) {
        for (const auto& h : handlers) {
            if (h.control == name) return true;
        }
        return false;
    };
    std::size_t clickable = 0;
    for (const ControlSpec& c : controls) {
        if (c.kind != ControlKind::Button && c.kind != ControlKind::LinkLabel) continue;
        if (!handled(c.name)) return false;
        ++clickable;
    }
    // Each of them is among the handlers: as many handlers as there are of them leaves none over
    // for another control.
    return handlers.size() == clickable;
}

} // namespace ui
