// The GTK 3 front end: builds any window from its table with GTK widgets.
#pragma once

#include "platform/desktop.h"

#include <gtk/gtk.h>

#include <map>
#include <memory>

namespace platform {

class GtkDesktop final : public Desktop {
public:
    // Call after gtk_init.
    GtkDesktop();
    ~GtkDesktop() override;
    GtkDesktop(const GtkDesktop&) = delete;
    GtkDesktop& operator=(const GtkDesktop&) = delete;

    WindowId create(const FormSpec& spec, WindowEvents& events) override;
    void show(WindowId window) override;
    void hide(WindowId window) override;
    void destroy(WindowId window) override;
    std::string text(WindowId window, std::string_view control) const override;
    void set_text(WindowId window, std::string_view control, std::string_view text) override;
    CheckState check(WindowId window, std::string_view control) const override;
    Answer message_box(WindowId owner, const MessageBoxRequest& box) override;
    std::optional<std::string> open_file_dialog(WindowId owner,
                                                const FileDialogSpec& spec) override;
    void shell_open(WindowId owner, const OpenRequest& request) override;
    void set_movie(WindowId window, std::string_view control, std::string_view path) override;
    void run() override;
    void quit() override;

    struct Window; // one GtkWindow and its controls

private:
    Window* find(WindowId id) const;
    GtkWindow* native(WindowId id) const;
    // Runs a message box or the file dialog modally to the whole program.
    int run_modal(GtkWidget* dialog);
    static gboolean window_activated(GtkWidget* widget, GdkEvent* event, gpointer desktop);

    std::map<WindowId, std::unique_ptr<Window>> windows_;
    WindowId next_id_ = 1;
    bool running_ = false;
    GtkWindow* modal_ = nullptr; // the box or file dialog that is up
};

} // namespace platform
