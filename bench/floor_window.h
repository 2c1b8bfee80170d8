// What the floor windows of the benchmarks share: the program's window class, and the plain
// message loop that runs a shown window until it closes.
#pragma once

#include "platform/win32/native_style.h"

#include <windows.h>

namespace bench {

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
