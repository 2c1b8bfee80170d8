// Drives the real Windows program from outside, as a user would: starts it in a fresh program
// folder, finds its windows and controls, clicks, types, answers its boxes and reads its files.
#pragma once

#include "ui/form_table.h"
#include "platform/win32/utf16.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

using platform::to_utf16;
using platform::to_utf8;

// Generous: Wine on a busy two-core machine can take seconds to start a process.
inline constexpr ULONGLONG kPatienceMs = 20000;

// Polls until `ready` gives something truthy and returns it; a wait that never ends fails the
// test by throwing, so that nothing hangs.
template <class F> auto wait_for(F ready, const std::string& what)
{
    const ULONGLONG end = ::GetTickCount64() + kPatienceMs;
    for (;;) {
        if (auto result = ready()) return result;
        if (::GetTickCount64() > end) throw std::runtime_error("timed out waiting for " + what);
        ::Sleep(20);
    }
}

// The first visible top-level window, of any process, that `test` accepts, once one shows.
HWND shown_window(const std::string& what, const std::function<bool(HWND)>& test);

enum class Icon { Question, Exclamation, Information };

// What a message box shows; the buttons are the IDs of the visible ones, ascending.
struct Box {
    std::string text;
    std::string title;
    std::vector<int> buttons;
    Icon icon{};
    bool operator==(const Box&) const = default;
};
void PrintTo(const Box& box, std::ostream* os);

// One run of the program, in a temporary folder of its own that goes with it.
class Program {
public:
    // Copies the program, its read-me and its movie into the folder, starts the program and
    // waits for its main window.
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    std::string path(std::string_view name) const { return folder_.file(name); }
    std::optional<std::string> read(std::string_view name) const;
    void write(std::string_view name, std::string_view bytes) const;

    HWND main() const { return main_; }
    // The form with this caption, once it shows.
    HWND form(std::string_view caption) const;
    // Answers each box that `owner` shows in turn with the button given, and gives what they
    // showed, then any further box that shows once the click has been handled. `while_up` runs
    // once the first box is up, before it is answered.
    std::vector<Box> boxes(HWND owner, const std::vector<int>& answers,
                           const std::function<void()>& while_up = {}) const;
    // Chooses `file` in the file dialog, or cancels it; `while_up` runs while it is up.
    void file_dialog(const std::optional<std::string>& file,
                     const std::function<void()>& while_up = {}) const;
    // The text of each tool of the form's tool tip window, by the control's handle.
    std::map<HWND, std::string> tool_tips(HWND form) const;
    // The tool tip that shows when the pointer rests on a control of the form, coming from off
    // the window; nothing when none shows.
    std::optional<std::string> tool_tip_over(HWND form, HWND control) const;
    // Returns once the program has taken every input given to it and waits for more.
    void wait_until_idle() const;
    // The exit code, once the program has ended.
    DWORD exit_code() const;

private:
    testing_support::TempFolder folder_;
    HANDLE job_ = ::CreateJobObjectW(nullptr, nullptr);
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// The control made from `table`'s row `name`: controls are numbered from 1000 in table order.
HWND control(HWND form, const ui::FormSpec& table, std::string_view name);
std::string caption_of(HWND window);
std::string text(HWND window);
int dpi_of(HWND window);

// A button's click, posted so that a box it opens does not hold up the test.
void click(HWND button);
// Clicks a button that closes its window, and waits for the window to go.
void click_away(HWND button);
// A mouse click near the top left corner of a control that is no button.
void click_on(HWND control);
// Real mouse clicks in the middle of a control, through the system's input queue: `count` of them
// in quick succession, so that two make a double click. Unless the control is meant to be out of
// reach (behind a modal box), they wait until the system finds it under the pointer.
void mouse_clicks(HWND control, int count, bool reachable = true);
// A real press and release of one mouse button (MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, ...)
// across the middle of a window, which may be a menu's: `from_top` pixels below its top edge, or
// half way down when negative.
void mouse_button(HWND window, DWORD down, DWORD up, int from_top = -1);
// Types into a text box one character at a time, over what it held.
void type(HWND edit, std::string_view text);

// Lines that the stand-in desktop handlers appended to the log named by E2E_SHELL_LOG.
std::vector<std::string> shell_log();

} // namespace e2e
