// The window system of the platform the program is built for: GTK 3 on Linux
// (gtk/gtk_desktop.cpp), Win32 and common controls on Windows (win32/win32_desktop.cpp). One
// build holds one of them; what each keeps of its windows stays in its own source file, so this
// header needs neither toolkit.
#pragma once

#include "ui/desktop.h"

#include <memory>

namespace platform {

class NativeDesktop final : public ui::Desktop {
public:
    // On Linux, call after gtk_init.
    NativeDesktop();
    ~NativeDesktop() override;
    NativeDesktop(const NativeDesktop&) = delete;
    NativeDesktop& operator=(const NativeDesktop&) = delete;

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

    struct Window; // one native window and its controls
    struct State;  // the windows by id, and what the platform keeps beside them

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
