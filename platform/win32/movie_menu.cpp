// The movie strip's context menu, made for each showing and gone once a choice is made.
#include "platform/win32/movie_menu.h"

namespace platform {

MovieCommand track_movie_menu(HWND owner, POINT where, bool playing, bool looping, bool steppable)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return MovieCommand::None;
    const UINT steps = steppable ? MF_ENABLED : MF_GRAYED;
    auto add = [menu](UINT flags, MovieCommand command, const wchar_t* caption) {
        ::AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(command), caption);
    };
    add(steps | (playing ? MF_CHECKED : MF_UNCHECKED), MovieCommand::Play, L"Play");
    add(looping ? MF_CHECKED : MF_UNCHECKED, MovieCommand::Loop, L"Loop");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(steps, MovieCommand::Rewind, L"Rewind");
    add(steps, MovieCommand::Forward, L"Forward");
    add(steps, MovieCommand::Back, L"Back");
    // The choice comes back here rather than as WM_COMMAND, so that the strip acts on it at once.
    const BOOL chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN |
                                                   TPM_TOPALIGN | TPM_NONOTIFY,
                                         where.x, where.y, 0, owner, nullptr);
    ::DestroyMenu(menu);
    return chosen > 0 && chosen <= static_cast<BOOL>(MovieCommand::Back)
               ? static_cast<MovieCommand>(chosen)
               : MovieCommand::None;
}

} // namespace platform
