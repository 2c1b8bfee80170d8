// One control of a window table as a Win32 window, made and answered by its kind: the twin of
// each GTK control's creation.
#pragma once

#include "ui/form_table.h"

#include <windows.h>
#include <commctrl.h>

namespace platform {

struct ControlWindow {
    const ui::ControlSpec* spec = nullptr;
    HWND hwnd = nullptr;
    HBITMAP bitmap = nullptr; // a picture's, which it draws itself; the owner deletes it
};

// The control's window alone: its class, styles, text and place at `dpi`, without font, value,
// picture or handler.
HWND create_control_window(HINSTANCE instance, HWND parent, const ui::FormSpec& form,
                           const ui::ControlSpec& control, UINT dpi, int id);

// Builds the control at its initial value (text, tick, length limit, picture) for a window at
// `dpi`, with control id `id`. Its font and DPI-bound dress come from dress_control.
ControlWindow make_control(HINSTANCE instance, HWND parent, const ui::FormSpec& form,
                           const ui::ControlSpec& control, UINT dpi, int id);

// Sets the font and what else depends on the DPI: a text box's margins, a button's `picture`
// (nullptr where it shows none). `redraw` when the control is already on screen.
void dress_control(const ControlWindow& control, HFONT font, HIMAGELIST picture, UINT dpi,
                   bool redraw);

// What a control's WM_COMMAND notification means to its window.
enum class Notice { None, Click, FocusMoved };
Notice command_notice(const ControlWindow& control, UINT code);

// WM_CTLCOLORSTATIC and WM_CTLCOLORBTN: sets the colours on `dc` and gives the background brush.
HBRUSH control_colours(const ControlWindow& control, HDC dc);

// WM_DRAWITEM: draws what the control draws itself; false where it draws nothing.
bool draw_control(const ControlWindow& control, const DRAWITEMSTRUCT& item);

} // namespace platform
