// What a window table becomes in Win32: the window's class and frame, and each control's class and
// styles.
#pragma once

#include "ui/form_table.h"

#include <windows.h>

namespace platform {

struct NativeStyle {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style;
};

// The class of every window of the program; whoever makes the windows registers it.
inline constexpr wchar_t kFormClass[] = L"SkirmishcfgForm";

// The window itself.
NativeStyle form_style(const ui::FormSpec& form);
// The window's outer size, frame included, for its client area at a DPI.
SIZE form_size(const ui::FormSpec& form, UINT dpi);
// A control of the table. A movie strip gets a plain static window here: the front end makes it
// with a class of its own (movie.h).
NativeStyle control_style(const ui::ControlSpec& control);

} // namespace platform
