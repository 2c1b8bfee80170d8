// The About window's movie strip: hosts the installed movie player, or paints our own animation.
#include "platform/win32/movie.h"

#include "platform/win32/movie_painter.h"
#include "platform/win32/movie_player.h"
#include "platform/win32/utf16.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <new>

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"SkirmishMovieStrip";
constexpr UINT_PTR kFrameTimer = 1;
// The system timer ticks every ~15.6 ms, so 33 ms lands on ~31 ms: about 30 frames a second.
constexpr UINT kFrameMilliseconds = 33;

HINSTANCE g_instance = nullptr;

struct Strip {
    HWND hwnd = nullptr;
    MoviePresets presets;
    std::unique_ptr<HostedPlayer> player; // none: the strip shows the animation

    ULONGLONG started = 0;        // GetTickCount64 when the animation last (re)started
    bool running = false;         // the frame timer is on
    double held = kAnimationRest; // the moment shown while not running
    MoviePainter animation;
};

Strip* strip_from(HWND hwnd)
{
    return reinterpret_cast<Strip*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Only our own windows carry a Strip: anything else handed to us is left alone.
Strip* strip_checked(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd)) return nullptr;
    wchar_t name[64] = {};
    if (!::GetClassNameW(hwnd, name, 64) || std::wcscmp(name, kClassName) != 0) return nullptr;
    return strip_from(hwnd);
}

double animation_time(const Strip& strip)
{
    if (!strip.running) return strip.held;
    const double elapsed = static_cast<double>(::GetTickCount64() - strip.started) / 1000.0;
    return strip.presets.loop ? elapsed : std::min(elapsed, kAnimationRest);
}

// From the start, unless the user has turned animations off: then the strip holds a still picture.
void restart(Strip& strip)
{
    BOOL animate = TRUE;
    if (!::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0)) animate = TRUE;
    strip.started = ::GetTickCount64();
    strip.held = kAnimationRest;
    strip.running =
        animate && ::SetTimer(strip.hwnd, kFrameTimer, kFrameMilliseconds, nullptr) != 0;
    if (!strip.running) ::KillTimer(strip.hwnd, kFrameTimer);
    ::InvalidateRect(strip.hwnd, nullptr, FALSE);
}

void stop(Strip& strip, double hold)
{
    ::KillTimer(strip.hwnd, kFrameTimer);
    strip.running = false;
    strip.held = hold;
}

void next_frame(Strip& strip)
{
    if (strip.running && !strip.presets.loop && animation_time(strip) >= kAnimationRest) {
        stop(strip, kAnimationRest);
    }
    ::InvalidateRect(strip.hwnd, nullptr, FALSE);
}

bool shows_focus(const Strip& strip)
{
    return ::GetFocus() == strip.hwnd &&
           !(::SendMessageW(strip.hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void paint(Strip& strip, HDC target)
{
    RECT client{};
    ::GetClientRect(strip.hwnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    if (strip.player) {
        // Only shows for a moment before the player's own window covers it.
        ::FillRect(target, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    strip.animation.paint(target, width, height, animation_time(strip), shows_focus(strip));
}

LRESULT handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* strip = new (std::nothrow) Strip;
        if (!strip) return FALSE;
        strip->hwnd = hwnd;
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        if (create && create->lpCreateParams) {
            strip->presets = *static_cast<const MoviePresets*>(create->lpCreateParams);
        }
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
        next_frame(*strip);
        return 0;
    case WM_SIZE:
        if (strip->player) strip->player->fit();
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
        if (HWND inner = strip->player ? strip->player->window() : nullptr) {
            ::SetFocus(inner);
        } else {
            ::InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_KILLFOCUS: ::InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_UPDATEUISTATE: {
        const LRESULT result = ::DefWindowProcW(hwnd, message, wparam, lparam);
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    case WM_LBUTTONDOWN: ::SetFocus(hwnd); return 0;
    case WM_DESTROY:
        ::KillTimer(hwnd, kFrameTimer);
        strip->running = false;
        strip->player.reset(); // while the window it lives in is still there
        return 0;
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

HWND create_movie_strip(HWND parent, const RECT& bounds, int id, const MoviePresets& presets)
{
    if (!g_instance) register_movie_strip(::GetModuleHandleW(nullptr));
    if (!g_instance) return nullptr;
    HWND hwnd = ::CreateWindowExW(
        0, kClassName, to_utf16(kAnimationCaption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds.left,
        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance,
        const_cast<MoviePresets*>(&presets));
    if (!hwnd) return nullptr;
    try {
        if (Strip* strip = strip_from(hwnd)) {
            strip->player = host_player(hwnd, strip->presets);
            if (!strip->player && presets.autoplay) {
                restart(*strip);
            } else if (!strip->player) {
                stop(*strip, kAnimationRest);
            }
        }
    } catch (...) {
        // The window stands either way; at worst it shows a still picture.
    }
    return hwnd;
}

void set_movie_path(HWND window, const std::wstring& path)
{
    try {
        Strip* strip = strip_checked(window);
        if (!strip) return;
        if (strip->player) {
            strip->player->load(path);
            return;
        }
        restart(*strip);
    } catch (...) {
        // Nothing to report: the strip keeps whatever it was showing.
    }
}

} // namespace platform
