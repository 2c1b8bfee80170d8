// The Windows program's entry point: the desktop and the files of this system, handed to the app.
#include "app/application.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"

#include <objbase.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // The shell's open request and the file dialog want a single-threaded COM apartment, and the
    // movie player is an OLE control.
    ::OleInitialize(nullptr);
    {
        platform::Win32FileSystem files;
        platform::AnsiCodePage code_page;
        platform::Win32Desktop desktop(instance);
        // Both files are in the ANSI code page on Windows: GBK on the Chinese systems.
        app::Application application(desktop, files, code_page, code_page);
        application.run();
    }
    ::OleUninitialize();
    return 0;
}
