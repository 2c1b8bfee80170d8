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

// A window class on the dialog colour with the arrow, as the program's windows and the
// benchmarks' floor windows have it. Inline, so that a floor window links nothing of the program.
inline void register_dialog_class(HINSTANCE instance, WNDPROC proc, const wchar_t* name)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    ::RegisterClassExW(&wc);
}

// The window itself.
NativeStyle form_style(const ui::FormSpec& form);
// The window's outer size, frame included, for its client area at a DPI.
SIZE form_size(const ui::FormSpec& form, UINT dpi);
// A control of the table. A movie strip gets a plain static window here: the front end makes it
// with a class of its own (movie.h).
NativeStyle control_style(const ui::ControlSpec& control);

} // namespace platform
