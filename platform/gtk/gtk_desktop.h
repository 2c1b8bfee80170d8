// The GTK 3 front end: builds any window from its table with GTK widgets.
#pragma once

#include "ui/desktop.h"

#include <gtk/gtk.h>

#include <map>
#include <memory>

namespace platform {

class GtkDesktop final : public ui::Desktop {
public:
    // Call after gtk_init.
    GtkDesktop();
    ~GtkDesktop() override;
    GtkDesktop(const GtkDesktop&) = delete;
    GtkDesktop& operator=(const GtkDesktop&) = delete;

    ui::WindowId create(const ui::FormSpec& spec, ui::WindowEvents& events) override;
    void show(ui::WindowId window) override;
    void hide(ui::WindowId window) override;
    void destroy(ui::WindowId window) override;
    std::string text(ui::WindowId window, std::string_view control) const override;
    void set_text(ui::WindowId window, std::string_view control, std::string_view text) override;
    ui::CheckState check(ui::WindowId window, std::string_view control) const override;
    ui::Answer message_box(ui::WindowId owner, const ui::MessageBoxRequest& box) override;
    std::optional<std::string> open_file_dialog(ui::WindowId owner,
                                                const ui::FileDialogSpec& spec) override;
    void shell_open(ui::WindowId owner, const ui::OpenRequest& request) override;
    void set_movie(ui::WindowId window, std::string_view control, std::string_view path) override;
    void run() override;
    void quit() override;

    struct Window; // one GtkWindow and its controls

private:
    Window* find(ui::WindowId id) const;
    GtkWindow* native(ui::WindowId id) const;
    // Runs a message box or the file dialog modally to the whole program.
    int run_modal(GtkWidget* dialog);
    static gboolean window_activated(GtkWidget* widget, GdkEvent* event, gpointer desktop);

    std::map<ui::WindowId, std::unique_ptr<Window>> windows_;
    ui::WindowId next_id_ = 1;
    bool running_ = false;
    GtkWindow* modal_ = nullptr; // the box or file dialog that is up
};

} // namespace platform
