// The one way the information windows hand a target to the desktop.
#pragma once

#include "platform/desktop.h"

#include <string_view>

namespace info {

// Asks the desktop to open a document, a mailto: address or a web address with its default
// handler. Whether that worked is not the program's concern: nothing is reported either way.
inline void open_with_shell(platform::Desktop& desktop, platform::WindowId owner,
                            std::string_view target)
{
    desktop.shell_open(owner, {"open", std::string(target), "", ""});
}

} // namespace info
