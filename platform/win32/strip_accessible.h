// The movie strip as screen readers meet it: the system's own description of the window (its
// name is the window text, the movie's file name), with the role of an animation.
#pragma once

#include <windows.h>

namespace platform {

// The answer to WM_GETOBJECT for the strip's client area; 0 for any other object, or when the
// system's description cannot be had (the caller then leaves the message to DefWindowProc).
LRESULT strip_accessible(HWND strip, WPARAM wparam, LPARAM lparam);

} // namespace platform
