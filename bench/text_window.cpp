// The bare window with the main window's text: its title, and every caption and number in the
// fonts the program sets them in, drawn by one static control per font, without the controls
// themselves. Against the bare window it shows what the Chinese text alone costs (its font files
// and glyphs); against the program, what the controls cost.
#include "bench/form_text.h"
#include "platform/win32/display.h"
#include "platform/win32/utf16.h"
#include "settings/main_window.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr wchar_t kClass[] = L"TextWindow";

LRESULT CALLBACK text_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = text_proc;
    wc.hInstance = instance;
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);
    const platform::FormSpec& form = settings::kForm1;
    HWND hwnd = ::CreateWindowExW(0, kClass, platform::to_utf16(form.caption).c_str(),
                                  WS_OVERLAPPED | WS_CAPTION, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                                  720, nullptr, nullptr, instance, nullptr);
    const UINT dpi = platform::dpi_of(hwnd);
    int top = 4;
    for (const bench::TextRun& run : bench::text_by_font(form)) {
        const LOGFONTW lf = platform::logical_font(run.font, dpi);
        HFONT font = ::CreateFontIndirectW(&lf);
        // Room for every line, and for the long caption wrapped over a few more.
        const int lines = static_cast<int>(std::count(run.text.begin(), run.text.end(), '\n'));
        const int height = (lines + 4) * std::abs(lf.lfHeight) * 5 / 4;
        HWND text = ::CreateWindowExW(0, L"STATIC", platform::to_utf16(run.text).c_str(),
                                      WS_CHILD | WS_VISIBLE, 4, top, 600, height, hwnd, nullptr,
                                      instance, nullptr);
        ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        top += height;
    }
    ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      530, 640, 90, 28, hwnd, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
