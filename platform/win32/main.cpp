// The Windows program's entry point: the desktop and the files of this system, handed to the app.
#include "app/application.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/ole.h"
#include "platform/native_desktop.h"
#include "platform/native_file_system.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    {
        platform::NativeFileSystem files;
        platform::AnsiCodePage code_page;
        platform::NativeDesktop desktop;
        // Both files are in the ANSI code page on Windows: GBK on the Chinese systems.
        app::Application application(desktop, files, {.system = code_page, .game_file = code_page});
        application.run();
    }
    // OLE, if a dialog or a shell request started it.
    platform::ole_release();
    return 0;
}
