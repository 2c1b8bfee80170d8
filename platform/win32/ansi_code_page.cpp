// UTF-8 to and from a Windows code page through UTF-16, marking what cannot be converted with '?'.
#include "platform/win32/ansi_code_page.h"

#include "platform/win32/utf16.h"

#include <windows.h>

namespace platform {

static_assert(kSystemAnsiCodePage == CP_ACP);

namespace {

bool is_high_surrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool is_low_surrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Converts one run of UTF-16, telling whether any of it fell back to the default character.
std::string narrow_run(UINT code_page, std::wstring_view text, bool& defaulted)
{
    defaulted = false;
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    // No best fit: a character the code page lacks must become '?', not a look-alike that
    // silently changes a path.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    const char* default_char = "?";
    BOOL used_default = FALSE;
    BOOL* used_default_out = &used_default;
    int length = ::WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0,
                                       default_char, used_default_out);
    if (length == 0) {
        // UTF-8 and a few stateful code pages refuse both the flag and the default character;
        // they can represent everything anyway, or mark it themselves.
        flags = 0;
        default_char = nullptr;
        used_default_out = nullptr;
        length = ::WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0, nullptr,
                                       nullptr);
        // An unknown code page must not lose the user's text: as UTF-8 it may still be right
        // (ASCII is in every code page), while nothing at all is surely wrong.
        if (length == 0) return to_utf8(text);
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(code_page, flags, text.data(), size, out.data(), length, default_char,
                          used_default_out);
    defaulted = used_default != FALSE;
    return out;
}

} // namespace

AnsiCodePage::AnsiCodePage(unsigned code_page) : code_page_(code_page)
{
}

Converted AnsiCodePage::encode(std::string_view utf8) const
{
    // Invalid UTF-8 arrives here as U+FFFD, which the narrow code pages lack, so it turns into '?'.
    const std::wstring wide = to_utf16(utf8);
    Converted converted;
    std::string& out = converted.text;
    bool defaulted = false;
    std::size_t run_start = 0;
    // The system marks each half of a surrogate pair on its own; a pair is one character, so it
    // is converted alone and gets a single '?' when the code page lacks it.
    for (std::size_t i = 0; i + 1 < wide.size(); ++i) {
        if (!is_high_surrogate(wide[i]) || !is_low_surrogate(wide[i + 1])) continue;
        out += narrow_run(code_page_, std::wstring_view(wide).substr(run_start, i - run_start),
                          defaulted);
        converted.exact = converted.exact && !defaulted;
        const std::string pair =
            narrow_run(code_page_, std::wstring_view(wide).substr(i, 2), defaulted);
        out += defaulted ? "?" : pair;
        converted.exact = converted.exact && !defaulted;
        ++i;
        run_start = i + 1;
    }
    out += narrow_run(code_page_, std::wstring_view(wide).substr(run_start), defaulted);
    converted.exact = converted.exact && !defaulted;
    return converted;
}

Converted AnsiCodePage::decode(std::string_view narrow) const
{
    if (narrow.empty()) return {};
    const int size = static_cast<int>(narrow.size());
    // The system refuses bytes the code page does not define only when asked to; asked, it tells
    // an exact conversion from a marked one.
    const bool exact =
        ::MultiByteToWideChar(code_page_, MB_ERR_INVALID_CHARS, narrow.data(), size, nullptr, 0) != 0;
    const int length = ::MultiByteToWideChar(code_page_, 0, narrow.data(), size, nullptr, 0);
    // An unknown code page keeps the bytes, as encode does.
    if (length == 0) return {std::string(narrow), true};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(code_page_, 0, narrow.data(), size, wide.data(), length);
    return {platform::to_utf8(wide), exact};
}

} // namespace platform
