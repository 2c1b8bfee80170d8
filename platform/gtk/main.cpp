// The Linux program's entry point: GTK, the files beside the program and the two code pages.
#include "app/application.h"
#include "platform/native_desktop.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/native_file_system.h"

#include <gtk/gtk.h>

#include <langinfo.h>

#include <string>

namespace {

// settings.ban holds a path of this system in the locale's codeset. The C locale's codeset is
// plain ASCII, in which a Chinese folder name would come back as '?': there the path is kept in
// UTF-8, the file names' own encoding, of which ASCII is a part.
std::string path_codeset()
{
    const std::string codeset = ::nl_langinfo(CODESET);
    if (codeset == "ANSI_X3.4-1968" || codeset == "ASCII" || codeset.empty()) return "UTF-8";
    return codeset;
}

} // namespace

int main(int argc, char** argv)
{
    // The program takes no arguments of its own; GTK's (--display ...) still work. GTK also
    // sets the locale from the environment. X11 first, also on a Wayland desktop (through
    // XWayland): only there can a window be kept move-only, centred, and put back where it was.
    gdk_set_allowed_backends("x11,*");
    gtk_init(&argc, &argv);
    g_set_prgname("skirmishcfg");
    g_set_application_name("Korvane skirmish settings");
    platform::NativeFileSystem files;
    const platform::IconvCodePage code_page(path_codeset());
    // The game's file is in the code page of the game's Chinese release, whatever the system.
    const platform::IconvCodePage game_code_page("GBK");
    platform::NativeDesktop desktop;
    app::Application application(desktop, files,
                                 {.system = code_page, .game_file = game_code_page});
    application.run();
    return 0;
}
