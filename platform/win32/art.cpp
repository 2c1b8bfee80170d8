// The program's pictures, icons and cursors, loaded from the exe's resources.
#include "platform/win32/art.h"

#include "platform/win32/resource_ids.h"

namespace platform {
namespace {

int icon_resource(ui::Art art)
{
    switch (art) {
    case ui::Art::Emblem: return IDI_EMBLEM;
    case ui::Art::OpenFolder: return IDI_OPEN_FOLDER;
    default: return 0;
    }
}

} // namespace

HICON load_icon(ui::Art art, int size)
{
    const int id = icon_resource(art);
    if (id == 0) return nullptr;
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HBITMAP load_bitmap(ui::Art art)
{
    int id = 0;
    if (art == ui::Art::Banner) id = IDB_BANNER;
    if (art == ui::Art::AboutBanner) id = IDB_ABOUT_BANNER;
    if (id == 0) return nullptr;
    // A bitmap of the display's own format: the banners are run-length encoded, which a DIB
    // section cannot hold, and they are only ever drawn to the screen.
    return static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

HCURSOR load_cursor(ui::Cursor cursor)
{
    int id = 0;
    switch (cursor) {
    case ui::Cursor::Hand: id = IDC_HAND_POINTER; break;
    case ui::Cursor::HandExclaim: id = IDC_HAND_EXCLAIM; break;
    case ui::Cursor::Pen: id = IDC_PEN; break;
    case ui::Cursor::Default: return nullptr;
    }
    return static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                             IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

} // namespace platform
