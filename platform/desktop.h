// The window system as the program's windows see it: a handful of calls that every front end
// (Win32, GTK, the in-memory test desktop) provides for any window built from a FormSpec.
#pragma once

#include "platform/form_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

using WindowId = int;
inline constexpr WindowId kNoWindow = 0;

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

// Message-box styles and answers, with the window system's own values.
inline constexpr int kMbOk = 0;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbIconQuestion = 32;
inline constexpr int kMbIconExclamation = 48;
inline constexpr int kMbIconInformation = 64;
inline constexpr int kStyleQuestionYesNo = kMbIconQuestion | kMbYesNo;   // 36
inline constexpr int kStyleWarningYesNo = kMbIconExclamation | kMbYesNo; // 52
inline constexpr int kStyleInformationOk = kMbIconInformation | kMbOk;   // 64
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

struct FileDialogSpec {
    std::string_view title;
    std::string initial_name;
    std::string_view filter_label;
    std::string_view filter_pattern;
};

// A request to the desktop to open a target with its default handler. The result is never
// looked at: the program asks and goes on.
struct ShellRequest {
    std::string operation;
    std::string target;
    std::string parameters;
    std::string folder;
    bool operator==(const ShellRequest&) const = default;
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

    // Modal to the owner; returns kAnswerOk, kAnswerYes or kAnswerNo.
    virtual int message_box(WindowId owner, std::string_view text, std::string_view title,
                            int style) = 0;
    // Modal to the owner; the chosen file's full path, or nothing when cancelled or failed.
    virtual std::optional<std::string> open_file_dialog(WindowId owner,
                                                        const FileDialogSpec& spec) = 0;
    virtual void shell_open(WindowId owner, const ShellRequest& request) = 0;
    // Loads a movie into a Movie control and plays it with the control's presets.
    virtual void set_movie(WindowId window, std::string_view control, std::string_view path) = 0;

    // Runs the event loop until quit().
    virtual void run() = 0;
    // Ends the loop; every window disappears.
    virtual void quit() = 0;
};

} // namespace platform
