// The About window's movie strip: the installed movie player, or else an animation of our own.
#pragma once
#include "platform/form_table.h" // platform::MoviePresets
#include <windows.h>
#include <string>
namespace platform {
// Registers the strip's window class once; safe to call repeatedly.
void register_movie_strip(HINSTANCE instance);
// A child window of `parent` at `bounds` (pixels, client coordinates of parent) with control id
// `id` and tab stop; hosts the installed movie player control when there is one, with the presets;
// otherwise it shows an animation of our own. Returns nullptr only if the window itself cannot be
// made.
HWND create_movie_strip(HWND parent, const RECT& bounds, int id, const MoviePresets& presets);
// Loads the movie (a full path) and plays it; with our own animation this (re)starts the animation.
void set_movie_path(HWND strip, const std::wstring& path);
} // namespace platform
