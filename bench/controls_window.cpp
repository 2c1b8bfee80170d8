// The controls floor: the main window's controls alone, each made from the program's own table
// with the program's class, styles and font, under the same common-controls manifest, and nothing
// else (no pictures, tool tips, cursors, check marks, margins or handlers). Against the bare
// window it shows what the system's controls cost by themselves; against it, the program shows
// what its own work adds.
#include "bench/floor_window.h"
#include "platform/win32/controls.h"
#include "platform/win32/display.h"
#include "platform/win32/native_style.h"
#include "platform/win32/utf16.h"
#include "settings/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

namespace {

LRESULT CALLBACK floor_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

// One font object for all the controls that share a font, as the program makes them.
HFONT font_for(const ui::Font& font, UINT dpi,
               std::vector<std::pair<ui::Font, HFONT>>& made)
{
    for (const auto& [f, handle] : made) {
        if (f.face == font.face && f.tenth_points == font.tenth_points &&
            f.underline == font.underline && f.script == font.script)
            return handle;
    }
    const LOGFONTW lf = platform::logical_font(font, dpi);
    return made.emplace_back(font, ::CreateFontIndirectW(&lf)).second;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // The classes the controls need, as the program asks for them, without the tool tips'.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    platform::register_dialog_class(instance, floor_proc, platform::kFormClass);

    const ui::FormSpec& form = settings::kForm1;
    const platform::NativeStyle frame = platform::form_style(form);
    HWND hwnd = ::CreateWindowExW(
        frame.ex_style, frame.window_class, platform::to_utf16(form.caption).c_str(), frame.style,
        CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance, nullptr);
    const UINT dpi = platform::dpi_of(hwnd);
    const SIZE size = platform::form_size(form, dpi);
    ::SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);

    std::vector<std::pair<ui::Font, HFONT>> fonts;
    for (const ui::ControlSpec& c : form.controls) {
        HWND control = platform::create_control_window(instance, hwnd, form, c, dpi, 0);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_for(c.font, dpi, fonts)),
                       FALSE);
    }
    return bench::show_and_run(hwnd, show);
}
