// What the display offers the windows: its DPI, frame sizes at a DPI, and the installed fonts.
// Functions newer than Windows 7 are looked up at run time, with a fallback.
#pragma once

#include "ui/form_table.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace platform {

// The DPI of the monitor the window is on (the system's where that cannot be told).
UINT dpi_of(HWND hwnd);
// Grows a client rectangle to the window rectangle for a frame style at a DPI.
void adjust_for_dpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi);
// A named face, or the nearest installed stand-in for it.
std::wstring installed_face(std::string_view face);
// The logical font for a table's font at a DPI: its face (or the classic dialog face at 9 points
// where it names none), size, underline and character set.
LOGFONTW logical_font(const ui::Font& font, UINT dpi);

} // namespace platform
