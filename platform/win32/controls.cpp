// Each kind of control of a window table as a Win32 window: graphical buttons, flat check boxes,
// length-limited edit boxes, labels and links, the group frame, pictures, the movie strip.
#include "platform/win32/controls.h"

#include "ui/form_rules.h"
#include "ui/twips.h"
#include "platform/win32/art.h"
#include "platform/win32/movie.h"
#include "platform/win32/native_style.h"
#include "platform/win32/utf16.h"

namespace platform {
namespace {

constexpr int kIconMargin = 2; // between a button's picture and its edges, at 96 dpi

int scaled(int pixels, UINT dpi)
{
    return ::MulDiv(pixels, static_cast<int>(dpi), ui::kStandardDpi);
}

RECT client_rect(const ui::FormSpec& form, const ui::ControlSpec& c, UINT dpi)
{
    const ui::Rect r = ui::pixel_rect(form, c, static_cast<int>(dpi));
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

ControlWindow make_check_box(HWND hwnd, const ui::ControlSpec& c)
{
    ::SendMessageW(hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return {&c, hwnd};
}

ControlWindow make_text_box(HWND hwnd, const ui::ControlSpec& c)
{
    // Counted in characters: typing past it is refused.
    if (c.max_length > 0) ::SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(c.max_length), 0);
    return {&c, hwnd};
}

ControlWindow make_picture(HWND hwnd, const ui::ControlSpec& c)
{
    return {&c, hwnd, load_bitmap(c.picture)};
}

void dress_button(HWND hwnd, HIMAGELIST picture, UINT dpi)
{
    if (picture == nullptr) return;
    const int margin = scaled(kIconMargin, dpi);
    BUTTON_IMAGELIST list{picture, {margin, margin, margin, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
    ::SendMessageW(hwnd, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

// The number boxes are only a few characters wide: no room for the font's margins.
void dress_text_box(HWND hwnd, UINT dpi)
{
    ::SendMessageW(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(scaled(1, dpi), scaled(1, dpi)));
}

// The picture fills its rectangle, which is its own size at 96 dpi.
bool draw_picture(HBITMAP bitmap, const DRAWITEMSTRUCT& item)
{
    if (bitmap == nullptr) return false;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    HDC source = ::CreateCompatibleDC(item.hDC);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    const RECT& r = item.rcItem;
    ::SetStretchBltMode(item.hDC, HALFTONE);
    ::StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0,
                 info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return true;
}

} // namespace

HWND create_control_window(HINSTANCE instance, HWND parent, const ui::FormSpec& form,
                           const ui::ControlSpec& c, UINT dpi, int id)
{
    const RECT r = client_rect(form, c, dpi);
    const NativeStyle native = control_style(c);
    return ::CreateWindowExW(native.ex_style, native.window_class, to_utf16(c.text).c_str(),
                             native.style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                             nullptr);
}

ControlWindow make_control(HINSTANCE instance, HWND parent, const ui::FormSpec& form,
                           const ui::ControlSpec& c, UINT dpi, int id)
{
    if (c.kind == ui::ControlKind::Movie)
        return {&c, create_movie_strip(parent, client_rect(form, c, dpi), id)};
    HWND hwnd = create_control_window(instance, parent, form, c, dpi, id);
    switch (c.kind) {
    case ui::ControlKind::CheckBox: return make_check_box(hwnd, c);
    case ui::ControlKind::TextBox: return make_text_box(hwnd, c);
    case ui::ControlKind::Picture: return make_picture(hwnd, c);
    default: return {&c, hwnd}; // buttons, labels and frames are their window
    }
}

void dress_control(const ControlWindow& c, HFONT font, HIMAGELIST picture, UINT dpi, bool redraw)
{
    ::SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    if (c.spec->kind == ui::ControlKind::Button) dress_button(c.hwnd, picture, dpi);
    if (c.spec->kind == ui::ControlKind::TextBox) dress_text_box(c.hwnd, dpi);
}

Notice command_notice(const ControlWindow& c, UINT code)
{
    // A click is a click, however fast it follows the last one: the second click of a double
    // click reaches buttons (BS_NOTIFY) as BN_DOUBLECLICKED and links as STN_DBLCLK instead of
    // BN_CLICKED / STN_CLICKED (both 0, which no edit box sends).
    switch (c.spec->kind) {
    case ui::ControlKind::Button:
        if (code == BN_SETFOCUS || code == BN_KILLFOCUS) return Notice::FocusMoved;
        return code == BN_CLICKED || code == BN_DOUBLECLICKED ? Notice::Click : Notice::None;
    case ui::ControlKind::LinkLabel:
        return code == STN_CLICKED || code == STN_DBLCLK ? Notice::Click : Notice::None;
    default: return code == BN_CLICKED ? Notice::Click : Notice::None;
    }
}

HBRUSH control_colours(const ControlWindow& c, HDC dc)
{
    if (c.spec->colour != ui::kDefaultColour) {
        const std::uint32_t rgb = c.spec->colour;
        ::SetTextColor(dc, RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    }
    switch (c.spec->kind) {
    case ui::ControlKind::Label:
    case ui::ControlKind::LinkLabel:
    case ui::ControlKind::Frame:
        // Only their text and lines on the window's plain surface, so that a label reaching
        // over a frame's edge leaves the edge in view.
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    default:
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
}

bool draw_control(const ControlWindow& c, const DRAWITEMSTRUCT& item)
{
    return c.spec->kind == ui::ControlKind::Picture && draw_picture(c.bitmap, item);
}

} // namespace platform
