// The Windows front end: builds any window from its table with plain Win32 and common controls.
#pragma once

#include "ui/desktop.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class Win32Desktop final : public ui::Desktop {
public:
    explicit Win32Desktop(HINSTANCE instance);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

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

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    bool translate_key(const MSG& msg);
    void relay_to_tool_tips(MSG& msg) const;
    Window* window_of(HWND hwnd) const;
    Window* find(ui::WindowId id) const;
    // Disables every window of the program but `owner` while a modal box or dialog is up.
    std::vector<HWND> disable_others(HWND owner) const;
    HWND control_hwnd(ui::WindowId id, std::string_view control) const;

    HINSTANCE instance_;
    std::map<ui::WindowId, std::unique_ptr<Window>> windows_;
    ui::WindowId next_id_ = 1;
};

} // namespace platform
