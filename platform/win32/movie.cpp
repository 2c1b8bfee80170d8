// The About window's movie strip: the movie file played by our own player, frame by frame on a
// timer, drawn into a DIB section at the strip's real pixel size.
#include "platform/win32/movie.h"

#include "movie/load.h"
#include "movie/player.h"
#include "platform/win32/movie_menu.h"
#include "platform/win32/strip_accessible.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <new>

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"SkirmishMovieStrip";
constexpr UINT_PTR kFrameTimer = 1;
constexpr int kClassNameChars = 64;
// WM_CONTEXTMENU from the keyboard (Shift+F10, the Menu key) carries no position.
constexpr LPARAM kKeyboardMenu = -1;
// Where a menu opened from the keyboard appears, inside the strip's top left corner.
constexpr int kKeyboardMenuInset = 8;
constexpr int kFocusInset = 1;

HINSTANCE g_instance = nullptr;

struct Strip {
    HWND hwnd = nullptr;
    movie::Player player; // the plain one until a movie is set
    bool playing = false;
    bool looping = true;

    // The frame as last drawn, kept until the frame or the size changes.
    HBITMAP bitmap = nullptr;
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    bool stale = true;

    ~Strip()
    {
        if (bitmap) ::DeleteObject(bitmap);
    }
};

Strip* strip_from(HWND hwnd)
{
    return reinterpret_cast<Strip*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Only our own windows carry a Strip: anything else handed to us is left alone.
Strip* strip_checked(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd)) return nullptr;
    wchar_t name[kClassNameChars] = {};
    if (!::GetClassNameW(hwnd, name, kClassNameChars) || std::wcscmp(name, kClassName) != 0)
        return nullptr;
    return strip_from(hwnd);
}

bool steppable(const Strip& strip) { return strip.player.playable(); }

void play(Strip& strip, bool on)
{
    on = on && steppable(strip);
    if (on) {
        const double fps = strip.player.frames_per_second();
        const UINT ms = static_cast<UINT>(std::max(1L, std::lround(1000.0 / fps)));
        on = ::SetTimer(strip.hwnd, kFrameTimer, ms, nullptr) != 0;
    }
    if (!on) ::KillTimer(strip.hwnd, kFrameTimer);
    strip.playing = on;
}

void show_frame_if_changed(Strip& strip, int before)
{
    if (strip.player.frame() == before) return;
    strip.stale = true;
    ::InvalidateRect(strip.hwnd, nullptr, FALSE);
}

void next_tick(Strip& strip)
{
    const int before = strip.player.frame();
    strip.player.next_frame();
    show_frame_if_changed(strip, before);
    // Without the loop the movie holds its last frame.
    if (!strip.looping && strip.player.frame() == strip.player.frame_count() - 1)
        play(strip, false);
}

// The desktop's wish for less motion: then nothing moves until asked to.
bool animations_wanted()
{
    BOOL animate = TRUE;
    if (!::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0)) animate = TRUE;
    return animate != FALSE;
}

void apply(Strip& strip, MovieCommand command)
{
    const int before = strip.player.frame();
    switch (command) {
    case MovieCommand::None: return;
    case MovieCommand::Play: play(strip, !strip.playing); break;
    case MovieCommand::Loop: strip.looping = !strip.looping; break;
    case MovieCommand::Rewind: strip.player.rewind(); break;
    case MovieCommand::Forward:
        play(strip, false);
        strip.player.next_frame();
        break;
    case MovieCommand::Back:
        play(strip, false);
        strip.player.previous_frame();
        break;
    }
    // A rewind replays from the first frame, which may look different even where it is the same
    // frame number.
    if (command == MovieCommand::Rewind) {
        strip.stale = true;
        ::InvalidateRect(strip.hwnd, nullptr, FALSE);
    }
    show_frame_if_changed(strip, before);
}

void show_menu(Strip& strip, LPARAM lparam)
{
    POINT where{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    if (lparam == kKeyboardMenu) {
        where = {kKeyboardMenuInset, kKeyboardMenuInset};
        ::ClientToScreen(strip.hwnd, &where);
    }
    apply(strip, track_movie_menu(strip.hwnd, where, strip.playing, strip.looping,
                                  steppable(strip)));
}

// The Menu key, or Shift+F10.
bool menu_key(WPARAM key)
{
    return key == VK_APPS || (key == VK_F10 && ::GetKeyState(VK_SHIFT) < 0);
}

bool shows_focus(const Strip& strip)
{
    return ::GetFocus() == strip.hwnd &&
           !(::SendMessageW(strip.hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

// A DIB section of the client's size, drawn anew only when the frame or the size has changed.
bool draw_frame(Strip& strip, int width, int height)
{
    if (!strip.bitmap || strip.width != width || strip.height != height) {
        if (strip.bitmap) ::DeleteObject(strip.bitmap);
        strip.bitmap = nullptr;
        strip.pixels = nullptr;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down, as the player writes its rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        strip.bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!strip.bitmap || !bits) {
            if (strip.bitmap) ::DeleteObject(strip.bitmap);
            strip.bitmap = nullptr;
            return false;
        }
        strip.pixels = static_cast<std::uint32_t*>(bits);
        strip.width = width;
        strip.height = height;
        strip.stale = true;
    }
    if (strip.stale) {
        ::GdiFlush(); // GDI may still be reading the last frame
        strip.player.render(strip.pixels, width, height, width);
        strip.stale = false;
    }
    return true;
}

void paint(Strip& strip, HDC target)
{
    RECT client{};
    ::GetClientRect(strip.hwnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    if (draw_frame(strip, width, height)) {
        if (HDC source = ::CreateCompatibleDC(target)) {
            HGDIOBJ old = ::SelectObject(source, strip.bitmap);
            ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
            ::SelectObject(source, old);
            ::DeleteDC(source);
        }
    }
    if (shows_focus(strip)) {
        RECT focus = client;
        ::InflateRect(&focus, -kFocusInset, -kFocusInset);
        // Drawn with XOR: white and black make it show on the dark movie.
        ::SetTextColor(target, RGB(255, 255, 255));
        ::SetBkColor(target, RGB(0, 0, 0));
        ::DrawFocusRect(target, &focus);
    }
}

LRESULT handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* strip = new (std::nothrow) Strip;
        if (!strip) return FALSE;
        strip->hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(strip));
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
    Strip* strip = strip_from(hwnd);
    if (!strip) return ::DefWindowProcW(hwnd, message, wparam, lparam);

    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(hwnd, &ps);
        if (!dc) return 0;
        // EndPaint must follow BeginPaint whatever happens while painting.
        struct EndPaintGuard {
            HWND hwnd;
            PAINTSTRUCT* ps;
            ~EndPaintGuard() { ::EndPaint(hwnd, ps); }
        } guard{hwnd, &ps};
        paint(*strip, dc);
        return 0;
    }
    case WM_PRINTCLIENT: paint(*strip, reinterpret_cast<HDC>(wparam)); return 0;
    case WM_TIMER:
        if (wparam != kFrameTimer) break;
        next_tick(*strip);
        return 0;
    case WM_SIZE: ::InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: ::InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_UPDATEUISTATE: {
        const LRESULT result = ::DefWindowProcW(hwnd, message, wparam, lparam);
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: ::SetFocus(hwnd); return 0;
    case WM_CONTEXTMENU: show_menu(*strip, lparam); return 0;
    case WM_GETOBJECT:
        if (const LRESULT accessible = strip_accessible(hwnd, wparam, lparam)) return accessible;
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    // The menu's keys are taken here, where they are pressed: which of its key messages the
    // system turns into WM_CONTEXTMENU differs between systems, and the menu must show once.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (menu_key(wparam)) {
            show_menu(*strip, kKeyboardMenu);
            return 0;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (menu_key(wparam)) return 0;
        break;
    case WM_DESTROY: ::KillTimer(hwnd, kFrameTimer); return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete strip;
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    default: break;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK strip_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        return handle(hwnd, message, wparam, lparam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

// The last component of the path: what a screen reader calls the strip.
std::wstring file_name(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

void register_movie_strip(HINSTANCE instance)
{
    if (!instance) instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, kClassName, &existing)) {
        if (!g_instance) g_instance = instance;
        return;
    }
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = strip_procedure;
    type.hInstance = instance;
    type.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.lpszClassName = kClassName;
    if (::RegisterClassExW(&type)) g_instance = instance;
}

HWND create_movie_strip(HWND parent, const RECT& bounds, int id)
{
    if (!g_instance) register_movie_strip(::GetModuleHandleW(nullptr));
    if (!g_instance) return nullptr;
    return ::CreateWindowExW(0, kClassName, L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, bounds.left,
                             bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance,
                             nullptr);
}

void set_movie_path(HWND window, const std::wstring& path)
{
    try {
        Strip* strip = strip_checked(window);
        if (!strip) return;
        play(*strip, false);
        strip->player = movie::load(::_wfopen(path.c_str(), L"rb"));
        strip->stale = true;
        ::SetWindowTextW(window, file_name(path).c_str());
        play(*strip, animations_wanted());
        ::InvalidateRect(window, nullptr, FALSE);
    } catch (...) {
        // Nothing to report: the strip keeps whatever it was showing.
    }
}

} // namespace platform
