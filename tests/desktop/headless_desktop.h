// An in-memory desktop for tests: windows are records, a click is a function call, message boxes
// and the file dialog answer from a script, and every request the program makes is recorded.
#pragma once

#include "ui/desktop.h"
#include "ui/keyboard.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace testing_support {

class HeadlessDesktop final : public ui::Desktop {
public:
    // What the program asked for, each with the asking window's form name first; tuples, so that
    // a failing test prints them.
    // The owner, the text, the title, the buttons and the icon.
    using Box =
        std::tuple<std::string, std::string, std::string, ui::MessageButtons, ui::MessageIcon>;
    // The owner, what the target is and the target.
    using Shell = std::tuple<std::string, ui::OpenKind, std::string>;
    // The owner, the title, the initial name, the filter's label and the filter's pattern.
    using Dialog = std::tuple<std::string, std::string, std::string, std::string, std::string>;

    // Desktop
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
    void run() override {}
    void quit() override;

    // What a test looks at. Windows are named by their form name (Form1 ...).
    // Form names of the visible windows, front-most first.
    std::vector<std::string> visible_windows() const;
    // "create Form4", "show Form4", "hide Form1", "destroy Form4", "quit", in order, from the
    // program's start or the last clear_log.
    const std::vector<std::string>& log() const { return log_; }
    void clear_log() { log_.clear(); }
    // A control's text, check state and the movie it plays.
    struct Control {
        std::string text;
        ui::CheckState check = ui::CheckState::Unchecked;
        std::string movie = {};
    };
    const Control& control(std::string_view form, std::string_view control) const;
    std::string focus(std::string_view form) const;
    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<Shell>& shell_requests() const { return shell_; }
    const std::vector<Dialog>& dialogs() const { return dialogs_; }

    // What a test does, as a user would. Each acts on a visible window and throws
    // std::logic_error when the test asks for something a user could not do.
    // Types at the end of the text, refusing characters past the box's maximum length.
    void type(std::string_view form, std::string_view control, std::string_view text);
    // Selects everything in the box and deletes it.
    void clear(std::string_view form, std::string_view control);
    void click(std::string_view form, std::string_view control);
    // A click at a point of the window's client area, in twips: the top-most control there gets it.
    void click_at(std::string_view form, int x, int y);
    // Enter, Tab, Alt and a letter ...: the keyboard's rules on the window.
    void press_key(std::string_view form, const ui::Key& key);
    void request_close(std::string_view form);

    // Answers for the next modal boxes and file dialogs, taken in order. Without a scripted
    // answer a box answers No (or OK) and a file dialog is cancelled.
    void answer_boxes(std::initializer_list<ui::Answer> answers);
    void answer_file_dialog(std::optional<std::string> chosen);

private:
    struct Window {
        const ui::FormSpec* spec = nullptr;
        ui::WindowEvents* events = nullptr;
        bool visible = false;
        std::string focus = {};
        std::map<std::string, Control, std::less<>> controls = {};
    };

    // The keyboard's view of a window: every control is enabled and shown.
    struct Keys final : ui::FocusHost {
        HeadlessDesktop& desktop;
        Window& w;
        Keys(HeadlessDesktop& d, Window& window) : desktop(d), w(window) {}
        const ui::ControlSpec* focused() const override { return w.spec->find(w.focus); }
        void focus(const ui::ControlSpec* c) override { w.focus = std::string(c->name); }
        void press(const ui::ControlSpec* c) override { desktop.press(w, *c); }
        bool usable(const ui::ControlSpec&) const override { return true; }
    };

    void press(Window& w, const ui::ControlSpec& spec);
    // Each lookup throws when the test names what is not there.
    Window& window(ui::WindowId id) const;
    Window& existing(std::string_view form) const;
    Window& visible_window(std::string_view form) const;
    // A text box of a visible window, which takes the focus.
    Control& text_box(std::string_view form, std::string_view control);
    static Control& state(Window& w, std::string_view control);
    std::string name(ui::WindowId id) const { return std::string(window(id).spec->name); }

    // The windows are looked up from const accessors and handed out to change.
    mutable std::map<ui::WindowId, Window> windows_;
    std::vector<ui::WindowId> z_order_; // front-most first
    std::vector<std::string> log_;
    std::vector<Box> boxes_;
    std::vector<Shell> shell_;
    std::vector<Dialog> dialogs_;
    std::deque<ui::Answer> box_answers_;
    std::deque<std::optional<std::string>> dialog_answers_;
    ui::WindowId next_id_ = 1;
};

} // namespace testing_support
