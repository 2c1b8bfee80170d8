// Drives the real Windows program from outside, as a user would: starts it in a fresh program
// folder, finds its windows and controls, clicks, types, answers its boxes and reads its files.
#pragma once

#include "platform/form_table.h"
#include "platform/win32/utf16.h"

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

enum class Icon { None, Question, Exclamation, Information };

// What a message box shows; the buttons are the IDs of the visible ones, ascending.
struct BoxLook {
    std::string text;
    std::string title;
    std::vector<int> buttons;
    Icon icon = Icon::None;
    bool operator==(const BoxLook&) const = default;
};
void PrintTo(const BoxLook& box, std::ostream* os);

struct Box {
    HWND hwnd = nullptr;
    BoxLook look;
};

using Files = std::map<std::string, std::string>; // name in the program folder, bytes

// One run of the program, in a temporary folder of its own that goes with it.
class Program {
public:
    // Copies the program, its read-me and its movie into the folder, adds `files`, starts it
    // and waits for its main window.
    explicit Program(const Files& files = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // A path in the program folder; '/' in `name` becomes '\'.
    std::string path(std::string_view name) const;
    std::optional<std::string> read(std::string_view name) const;
    void write(std::string_view name, std::string_view bytes) const;

    HWND main() const { return main_; }
    // The form with this caption, once it shows.
    HWND form(std::string_view caption) const;
    // Captions of the visible forms, sorted.
    std::vector<std::string> shown() const;
    // The next message box of `owner`, once it shows with its icon drawn.
    Box box(HWND owner) const;
    // Presses a button of the box and waits for the box to go.
    void answer(const Box& box, int button) const;
    // Waits until `owner` takes input again and its click has been handled; a further box fails.
    void no_box(HWND owner) const;
    // Chooses `file` in the file dialog of `owner`, or cancels it.
    void file_dialog(HWND owner, const std::optional<std::string>& file) const;
    // The text of each tool of the form's tool tip window, by the control's handle.
    std::map<HWND, std::string> tool_tips(HWND form) const;
    // The control of `form` that holds the keyboard focus, once one does.
    HWND focus(HWND form) const;
    // The exit code, once the program has ended.
    DWORD exit_code() const;
    // A visible window of a process that the program started, whose title holds `part`.
    HWND window_of_child(std::string_view part) const;

private:
    // The first visible top-level window of the program's that `test` accepts.
    HWND find(const std::function<bool(HWND)>& test) const;

    std::wstring folder_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// The control made from `table`'s row `name`: controls are numbered from 1000 in table order.
HWND control(HWND form, const platform::FormSpec& table, std::string_view name);
int dpi_of(HWND window);
RECT rect_in_parent(HWND control);
std::wstring class_of(HWND window);
std::string text(HWND window);

// A button's click, posted so that a box it opens does not hold up the test.
void click(HWND button);
// A mouse click at a point of the form's client area, on whichever control is on top there.
HWND child_at(HWND form, POINT point);
void click_at(HWND form, POINT point);
// Types into a text box one character at a time, over what it held.
void type(HWND edit, std::string_view text);
// A key as the program's message loop sees it: WM_KEYDOWN, or WM_SYSCHAR for Alt+letter.
void press(HWND target, UINT message, WPARAM key);
void end_process_of(HWND window);

// Lines that the stand-in desktop handlers appended to the log named by E2E_SHELL_LOG.
std::vector<std::string> shell_log();

} // namespace e2e
