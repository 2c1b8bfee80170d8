// The window system as the program's windows see it: a handful of calls that every front end
// (Win32, GTK, the in-memory test desktop) provides for any window built from a FormSpec.
#pragma once

#include "ui/form_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace ui {

using WindowId = int;
inline constexpr WindowId kNoWindow = 0;

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

// A message box, by what it means; each front end maps it to its own box.
enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Question, Warning, Information };
enum class Answer { Ok, Yes, No };

struct MessageBoxRequest {
    std::string_view text;
    std::string_view title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Information;
};

struct FileDialogSpec {
    std::string_view title;
    std::string initial_name;
    std::string_view filter_label;
    std::string_view filter_pattern;
};

// What the desktop is asked to open with its default handler: a web or mailto: address goes to
// the desktop's address handler, a document to the application registered for it. The result is
// never looked at: the program asks and goes on.
enum class OpenKind { Address, File };

struct OpenRequest {
    OpenKind kind = OpenKind::Address;
    std::string target;
    bool operator==(const OpenRequest&) const = default;
};

// What a window reports back to its owner. Called on the event loop's thread only.
class WindowEvents {
public:
    virtual void on_click(std::string_view control) = 0;
    // A close that the platform delivers although the window has no close box (Alt+F4, a task
    // manager); each window decides what it means.
    virtual void on_close_request() = 0;

protected:
    ~WindowEvents() = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Builds the window hidden, centred on the screen, with every control at its initial value.
    virtual WindowId create(const FormSpec& spec, WindowEvents& events) = 0;
    // Makes it visible and brings it to the front; the first show puts the focus on the first
    // control in keyboard order.
    virtual void show(WindowId window) = 0;
    virtual void hide(WindowId window) = 0;
    virtual void destroy(WindowId window) = 0;

    // Setting a value from code never fires a click handler.
    virtual std::string text(WindowId window, std::string_view control) const = 0;
    virtual void set_text(WindowId window, std::string_view control, std::string_view text) = 0;
    virtual CheckState check(WindowId window, std::string_view control) const = 0;

    // Owned by `owner` and modal to the whole program: no window of it takes input until the
    // box is answered.
    virtual Answer message_box(WindowId owner, const MessageBoxRequest& box) = 0;
    // Owned by `owner` and modal to the whole program; the chosen file's full path, or nothing
    // when cancelled or failed.
    virtual std::optional<std::string> open_file_dialog(WindowId owner,
                                                        const FileDialogSpec& spec) = 0;
    virtual void shell_open(WindowId owner, const OpenRequest& request) = 0;
    // Loads a movie into a Movie control and plays it with the control's presets.
    virtual void set_movie(WindowId window, std::string_view control, std::string_view path) = 0;

    // Runs the event loop until quit().
    virtual void run() = 0;
    // Ends the loop; every window disappears.
    virtual void quit() = 0;
};

} // namespace ui
