// What the floor windows of the benchmarks share with each other: a window class on the dialog
// colour with the arrow, and the plain message loop that runs a shown window until it closes.
#pragma once

#include <windows.h>

namespace bench {

inline void register_floor_class(HINSTANCE instance, WNDPROC proc, const wchar_t* name)
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

inline int show_and_run(HWND hwnd, int show)
{
    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

} // namespace bench
