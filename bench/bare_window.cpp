// The yardstick for start-up: one captioned window with one button, painted once, built with the
// same compiler, flags and static runtime as the program.
#include <windows.h>

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

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = bare_proc;
    wc.hInstance = instance;
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);
    HWND hwnd =
        ::CreateWindowExW(0, kClass, L"Bare window", WS_OVERLAPPED | WS_CAPTION, CW_USEDEFAULT,
                          CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      110, 60, 90, 28, hwnd, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
