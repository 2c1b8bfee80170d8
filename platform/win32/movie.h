// The About window's movie strip: plays the movie file with our own player.
#pragma once
#include <windows.h>
#include <string>
namespace platform {
// Registers the strip's window class once; safe to call repeatedly.
void register_movie_strip(HINSTANCE instance);
// A child window of `parent` at `bounds` (pixels, client coordinates of parent) with control id
// `id` and tab stop, showing the plain ground until a movie is set. Returns nullptr only if the
// window itself cannot be made.
HWND create_movie_strip(HWND parent, const RECT& bounds, int id);
// Reads the movie (a full path) and plays it from its first frame, as the presets and the
// desktop's wish for less motion say; a movie that cannot be played leaves the plain ground.
void set_movie_path(HWND strip, const std::wstring& path);
} // namespace platform
