// The narrow code page on Windows: the system's ANSI code page (936 on Simplified-Chinese systems),
// converted by the system itself.
#pragma once

#include "platform/codepage.h"

#include <string>
#include <string_view>

namespace platform {

// The value of CP_ACP, so that this header need not pull in <windows.h>.
inline constexpr unsigned kSystemAnsiCodePage = 0;

class AnsiCodePage final : public CodePage {
public:
    // A code page by its Windows number (936 for GBK); by default whatever the system uses.
    explicit AnsiCodePage(unsigned code_page = kSystemAnsiCodePage);

    // One '?' for each character the code page lacks, characters past U+FFFF included.
    Converted encode(std::string_view utf8) const override;
    // Bytes the code page does not define come back as the system decodes them: usually '?',
    // U+FFFD, or (for a few single bytes such as 0xFF in 936) a private-use character; such a
    // conversion is not exact.
    Converted decode(std::string_view narrow) const override;

private:
    unsigned code_page_;
};

} // namespace platform
