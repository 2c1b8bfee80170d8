// The movie strip's context menu: play, loop and the step buttons of a player.
#pragma once
#include <windows.h>
namespace platform {
enum class MovieCommand { None, Play, Loop, Rewind, Forward, Back };
// Shows the menu at `where` (screen coordinates) for `owner` and waits for a choice. The steps
// are greyed when there is nothing to step through.
MovieCommand track_movie_menu(HWND owner, POINT where, bool playing, bool looping, bool steppable);
} // namespace platform
