// The moves between windows, as the windows ask for them, and the services a window works with.
// The application implements the moves; the windows only name the window they mean. The system's
// services are named here and not included: a window that uses one includes it.
#pragma once

#include "ui/desktop.h"

namespace platform {
class CodePage;
class FileSystem;
} // namespace platform

namespace ui {

enum class WindowName { Form1, Form2, Form3, Form4 };

class WindowOps {
public:
    // Creates the window on first use (running its load step), makes it visible, brings it to
    // the front.
    virtual void show(WindowName window) = 0;
    virtual void hide(WindowName window) = 0;
    // Destroys the window; the next show builds it afresh.
    virtual void unload(WindowName window) = 0;
    // Ends the program: every window goes, the event loop stops.
    virtual void end() = 0;

protected:
    ~WindowOps() = default;
};

struct Services {
    Desktop& desktop;
    platform::FileSystem& files;
    // settings.ban holds a path of this system, in its own code page.
    const platform::CodePage& code_page;
    // The game's settings file is in the code page of the game's Chinese release (GBK) on every
    // system, so that the game reads what a Chinese Windows would write.
    const platform::CodePage& game_code_page;
    WindowOps& windows;
};

} // namespace ui
