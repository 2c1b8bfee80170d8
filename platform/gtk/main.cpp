// The Linux program's entry point: GTK, the files beside the program and the two code pages.
#include "app/application.h"
#include "platform/gtk/gtk_desktop.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/posix/posix_file_system.h"

#include <gtk/gtk.h>

#include <clocale>

int main(int argc, char** argv)
{
    // The program takes no arguments of its own; GTK's (--display ...) still work.
    gtk_init(&argc, &argv);
    g_set_prgname("skirmishcfg");
    g_set_application_name("Korvane skirmish settings");
    platform::PosixFileSystem files;
    // settings.ban holds a path of this system, in the locale's codeset; the game's file is in
    // the code page of the game's Chinese release, whatever the system.
    const platform::IconvCodePage code_page = platform::IconvCodePage::of_locale();
    const platform::IconvCodePage game_code_page("GBK");
    platform::GtkDesktop desktop;
    app::Application application(desktop, files, code_page, game_code_page);
    application.run();
    return 0;
}
