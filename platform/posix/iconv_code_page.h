// The narrow code page on POSIX: the codeset of the user's locale, converted with iconv.
#pragma once

#include "platform/codepage.h"

#include <string>

namespace platform {

class IconvCodePage final : public CodePage {
public:
    // A codeset by its iconv name ("GBK", "UTF-8").
    explicit IconvCodePage(std::string codeset);
    // The codeset of the current LC_CTYPE locale (call setlocale first).
    static IconvCodePage of_locale();

    Converted encode(std::string_view utf8) const override;
    Converted decode(std::string_view narrow) const override;

private:
    std::string codeset_;
};

} // namespace platform
