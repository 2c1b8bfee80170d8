// Drives the real Windows program from outside, as a user would: starts it in a fresh program
// folder, finds its windows and controls, clicks, types, answers its boxes and reads its files.
#pragma once

#include "ui/form_table.h"
#include "platform/win32/utf16.h"
#include "support/png.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
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

// What a message box shows: its text, its title, the IDs of its visible buttons, ascending, and its
// icon, told by the MB_ICON... flag that asks for it.
using Box = std::tuple<std::string, std::string, std::vector<int>, UINT>;

// One run of the program, in a temporary folder of its own that goes with it.
class Program {
public:
    // Copies the program, its read-me and its movie into the folder, starts the program and
    // waits for its main window; the desktop handlers' log starts empty.
    Program();
    ~Program();

    const testing_support::TempFolder folder;

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
    // the window; a wait for one that never shows fails.
    std::string tool_tip_over(HWND form, HWND control) const;
    // Returns once the program has taken every input given to it and waits for more.
    void wait_until_idle() const;
    // The exit code, once the program has ended.
    DWORD exit_code() const;

private:
    HANDLE job_ = ::CreateJobObjectW(nullptr, nullptr);
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// The control made from `table`'s row `name`: controls are numbered from 1000 in table order.
HWND control(HWND form, const ui::FormSpec& table, std::string_view name);
// A window's text, asked of its program: a caption, a control's text.
std::string text(HWND window);

// A button's click, posted so that a box it opens does not hold up the test.
void click(HWND button);
// Clicks a button that closes its window, and waits for the window to go.
void click_away(HWND button);
// Real clicks of a mouse button (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, ...) through the
// system's input queue, `count` of them in quick succession, so that two make a double click;
// across the middle of a window, which may be a menu's, `from_top` pixels below its top edge or
// half way down when negative. They wait until the system finds the window under the pointer,
// unless it is behind a modal box, out of reach.
void mouse_clicks(HWND window, int count = 1, DWORD button = MOUSEEVENTF_LEFTDOWN,
                  int from_top = -1);
// Types into a text box one character at a time, over what it held.
void type(HWND edit, std::string_view text);
// The pixels of a window's client area as they are on the screen, with what `over` draws on them
// if given.
testing_support::Image capture(HWND window, const std::function<void(HDC)>& over = {});

// The lines that the stand-in desktop handlers appended to the log named by E2E_SHELL_LOG, once
// there are at least `count`.
std::vector<std::string> shell_log(std::size_t count);

} // namespace e2e
