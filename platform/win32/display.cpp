// What the display offers the windows: its DPI, frame sizes at a DPI, and the installed fonts.
#include "platform/win32/display.h"

#include "ui/twips.h"
#include "platform/win32/utf16.h"

#include <functional>
#include <map>
#include <vector>

namespace platform {
namespace {

// Functions newer than Windows 7 are looked up at run time, so that the program still starts there.
template <class F> F user32_function(const char* name)
{
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

UINT screen_dpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : ui::kStandardDpi;
}

// The face of the system's message font, which every system has.
std::wstring message_face()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

int CALLBACK font_found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool font_installed(const std::wstring& face)
{
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    face.copy(query.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &query, font_found, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

// A named face, or the nearest installed stand-in: the small Chinese face of the number fields
// is missing on many systems, and the system's Chinese UI font reads best in its place.
std::wstring find_installed_face(std::string_view face)
{
    std::vector<std::wstring> candidates{to_utf16(face)};
    if (face == "宋体") {
        candidates.insert(candidates.end(),
                          {L"SimSun", L"NSimSun", L"Microsoft YaHei UI", L"Microsoft YaHei"});
    }
    for (const std::wstring& candidate : candidates) {
        if (font_installed(candidate)) return candidate;
    }
    return message_face();
}

} // namespace

UINT dpi_of(HWND hwnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    if (get_dpi_for_window != nullptr && hwnd != nullptr) {
        if (UINT dpi = get_dpi_for_window(hwnd)) return dpi;
    }
    return screen_dpi();
}

void adjust_for_dpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi)
{
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = user32_function<AdjustFn>("AdjustWindowRectExForDpi");
    if (adjust != nullptr) {
        adjust(&rect, style, FALSE, ex_style, dpi);
    } else {
        ::AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    }
}

LOGFONTW logical_font(const ui::Font& font, UINT dpi)
{
    // The classic dialog face at 9 points when a control names none: the windows were laid out
    // for its line height (on Chinese systems it is the Song face that their labels expect),
    // and the system links it to a Chinese face wherever it lacks one.
    constexpr int kDialogTenthPoints = 90;
    constexpr int kTenthPointsPerInch = 720;
    LOGFONTW lf{};
    const int tenth_points = font.face.empty() ? kDialogTenthPoints : font.tenth_points;
    lf.lfHeight = -::MulDiv(tenth_points, static_cast<int>(dpi), kTenthPointsPerInch);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = font.script == ui::Script::Western ? ANSI_CHARSET : DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    const std::wstring face = font.face.empty() ? L"MS Shell Dlg" : installed_face(font.face);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

// A named face, or the nearest installed stand-in, looked up once per face.
std::wstring installed_face(std::string_view face)
{
    // Each look-up asks the font system; the answer holds for the program's lifetime, and every
    // window asks again for the same few faces (and again at each change of DPI).
    static std::map<std::string, std::wstring, std::less<>> known;
    if (auto it = known.find(face); it != known.end()) return it->second;
    return known.emplace(std::string(face), find_installed_face(face)).first->second;
}

} // namespace platform
