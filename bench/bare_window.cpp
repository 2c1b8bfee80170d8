// The yardstick for start-up: one captioned window with one button, painted once, built with the
// same compiler, flags and static runtime as the program.
//
// Built a second time as text_window (FORM_TEXT): the same window, larger, with the main window's
// text (its title, every caption and number) in the program's fonts, one static control per font,
// and no other control. Against the bare window it shows what the Chinese text alone costs (its
// font files and glyphs); against the program, what the controls cost.
#include "bench/floor_window.h"

#include <windows.h>

#ifdef FORM_TEXT
#include "bench/form_text.h"
#include "platform/win32/display.h"
#include "platform/win32/utf16.h"
#include "settings/main_window.h"

#include <algorithm>
#include <cstdlib>
#endif

namespace {

constexpr wchar_t kClass[] = L"BareWindow";

LRESULT CALLBACK bare_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

#ifdef FORM_TEXT
void add_form_text(HWND hwnd, HWND button, HINSTANCE instance)
{
    const ui::FormSpec& form = settings::kForm1;
    ::SetWindowTextW(hwnd, platform::to_utf16(form.caption).c_str());
    ::SetWindowPos(hwnd, nullptr, 0, 0, 640, 720, SWP_NOMOVE | SWP_NOZORDER);
    ::MoveWindow(button, 530, 640, 90, 28, FALSE);
    const UINT dpi = platform::dpi_of(hwnd);
    int top = 4;
    for (const bench::TextRun& run : bench::text_by_font(form)) {
        const LOGFONTW lf = platform::logical_font(run.font, dpi);
        // Room for every line, and for the long caption wrapped over a few more.
        const int lines = static_cast<int>(std::count(run.text.begin(), run.text.end(), '\n'));
        const int height = (lines + 4) * std::abs(lf.lfHeight) * 5 / 4;
        HWND text = ::CreateWindowExW(0, L"STATIC", platform::to_utf16(run.text).c_str(),
                                      WS_CHILD | WS_VISIBLE, 4, top, 600, height, hwnd, nullptr,
                                      instance, nullptr);
        ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(::CreateFontIndirectW(&lf)),
                       FALSE);
        top += height;
    }
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    platform::register_dialog_class(instance, bare_proc, kClass);
    HWND hwnd =
        ::CreateWindowExW(0, kClass, L"Bare window", WS_OVERLAPPED | WS_CAPTION, CW_USEDEFAULT,
                          CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"OK",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 110, 60,
                                    90, 28, hwnd, nullptr, instance, nullptr);
#ifdef FORM_TEXT
    add_form_text(hwnd, button, instance);
#else
    (void)button;
#endif
    return bench::show_and_run(hwnd, show);
}
