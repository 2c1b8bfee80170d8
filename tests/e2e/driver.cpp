// The outside driver of the real program: processes, windows, remote tool tips, box pixels.
#include "e2e/driver.h"

#include "location/settings_window.h"
#include "settings/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

// The ids of Wine's dialogs: the message box's text and icon, the file dialog's file name.
constexpr int kBoxTextId = 0xFFFF;
constexpr int kBoxIconId = 0x440;
constexpr int kFileNameId = 0x47C;

// CMake hands over host paths; under Wine the host's root is drive Z:.
std::filesystem::path host_path(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return to_utf16(path.starts_with("\\") ? "Z:" + path : path);
}

std::filesystem::path shell_log_path()
{
    const char* log = std::getenv("E2E_SHELL_LOG");
    if (log == nullptr) throw std::runtime_error("E2E_SHELL_LOG is not set: run tests/e2e/run");
    return host_path(log);
}

// Puts the pointer across the middle of a window, `from_top` pixels below its top edge or half
// way down when negative. The window may have only just been shown: the pointer reaches nothing
// in it until the system has it under the pointer, and a window behind a modal box never.
void point_at(HWND window, int from_top)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    const POINT at{(r.left + r.right) / 2, from_top < 0 ? (r.top + r.bottom) / 2 : r.top + from_top};
    const bool reachable = ::IsWindowEnabled(::GetAncestor(window, GA_ROOT));
    wait_for(
        [&] {
            ::SetCursorPos(at.x, at.y);
            POINT now{};
            return ::GetCursorPos(&now) && now.x == at.x && now.y == at.y &&
                   (!reachable || ::WindowFromPoint(at) == window);
        },
        "the window to be under the pointer");
}

// The first top-level window of the class that `owner` owns, shown or not.
HWND owned(HWND owner, const wchar_t* window_class)
{
    HWND h = ::FindWindowExW(nullptr, nullptr, window_class, nullptr);
    while (h != nullptr && ::GetWindow(h, GW_OWNER) != owner)
        h = ::FindWindowExW(nullptr, h, window_class, nullptr);
    return h;
}

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kPatienceMs, &result))
        throw std::runtime_error("the program did not answer a message");
    return static_cast<LRESULT>(result);
}

// The icon a box shows, told by its pixels on the screen, which drawing that same icon over
// them leaves next to unchanged: icon handles belong to each process, so the program's cannot
// be compared with the driver's own.
std::optional<UINT> drawn_icon(HWND box)
{
    const HWND icon = ::GetDlgItem(box, kBoxIconId);
    if (icon == nullptr) return std::nullopt;
    const testing_support::Image before = capture(icon);
    const std::pair<UINT, LPCWSTR> candidates[] = {{MB_ICONQUESTION, IDI_QUESTION},
                                                   {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
                                                   {MB_ICONINFORMATION, IDI_INFORMATION}};
    std::optional<UINT> best;
    int fewest = before.width * before.height / 64; // the other icons change many more
    for (const auto& [kind, id] : candidates) {
        const testing_support::Image after = capture(icon, [&](HDC dc) {
            ::DrawIconEx(dc, 0, 0, ::LoadIconW(nullptr, id), before.width, before.height, 0,
                         nullptr, DI_NORMAL);
        });
        // Drawn over itself, an icon moves its half-transparent edge by at most a quarter.
        // Of the colour bytes: the fourth of each pixel is 0 in both.
        const auto* was = reinterpret_cast<const std::uint8_t*>(before.pixels.data());
        const auto* now = reinterpret_cast<const std::uint8_t*>(after.pixels.data());
        int changed = 0;
        for (std::size_t i = 0; i < 4 * before.pixels.size(); ++i)
            changed += std::abs(now[i] - was[i]) > 64 ? 1 : 0;
        if (changed < fewest) best = kind, fewest = changed;
    }
    return best;
}

Box look_of(HWND box)
{
    std::vector<int> buttons;
    for (int id = IDOK; id <= IDNO; ++id) {
        HWND button = ::GetDlgItem(box, id);
        if (button != nullptr && ::IsWindowVisible(button)) buttons.push_back(id);
    }
    // A box just shown may not have drawn its icon yet.
    return {text(::GetDlgItem(box, kBoxTextId)), text(box), buttons,
            *wait_for([&] { return drawn_icon(box); }, "a known icon on the box")};
}

} // namespace

HWND shown_window(const std::string& what, const std::function<bool(HWND)>& test)
{
    return wait_for(
        [&]() -> HWND {
            for (HWND h = ::GetTopWindow(nullptr); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
                if (::IsWindowVisible(h) && test(h)) return h;
            }
            return nullptr;
        },
        what);
}

Program::Program()
{
    // Pixels as the program draws them, whatever the screen's DPI.
    ::SetProcessDPIAware();
    namespace fs = std::filesystem;
    const std::wstring exe = to_utf16(folder.file("skirmishcfg.exe"));
    fs::copy_file(host_path(E2E_PROGRAM), exe);
    for (const char* asset : {"readme.txt", "tessel.swf"})
        fs::copy_file(host_path(E2E_SOURCE_DIR "/assets/") / asset, to_utf16(folder.file(asset)));
    std::ofstream(shell_log_path(), std::ios::trunc);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // In a job, so that what it starts ends with it, and with the driver at the latest.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    // Started from elsewhere: the program finds its folder by itself, not as the current one.
    if (!::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                          fs::temp_directory_path().c_str(), &startup, &process_) ||
        !::AssignProcessToJobObject(job_, process_.hProcess))
        throw std::runtime_error("cannot start the program");
    ::ResumeThread(process_.hThread);
    main_ = form(settings::kForm1.caption);
}

Program::~Program()
{
    ::CloseHandle(job_);
    ::WaitForSingleObject(process_.hProcess, 5000);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

HWND Program::form(std::string_view caption) const
{
    return shown_window("the window \"" + std::string(caption) + "\"", [&](HWND h) {
        // All its windows are its main thread's.
        return ::GetWindowThreadProcessId(h, nullptr) == process_.dwThreadId && text(h) == caption;
    });
}

std::vector<Box> Program::boxes(HWND owner, const std::vector<int>& answers,
                                const std::function<void()>& while_up) const
{
    std::vector<Box> shown;
    for (int answer : answers) {
        const HWND box = shown_window("a message box", [&](HWND h) {
            return ::GetWindow(h, GW_OWNER) == owner && ::GetDlgItem(h, kBoxTextId) != nullptr;
        });
        shown.push_back(look_of(box));
        if (while_up && shown.size() == 1) while_up();
        click_away(::GetDlgItem(box, answer));
    }
    // The click's handler may still run; the program answers this only back in its message
    // loop, or in that of a further box, which it may not have shown yet (a dialog's class).
    send(main_, WM_NULL, 0, 0);
    if (HWND further = owned(owner, L"#32770")) shown.push_back(look_of(further));
    return shown;
}

void Program::file_dialog(const std::optional<std::string>& file,
                          const std::function<void()>& while_up) const
{
    const HWND dialog = form(location::kDialogTitle);
    if (while_up) while_up();
    if (file) {
        send(::GetDlgItem(dialog, kFileNameId), WM_SETTEXT, 0,
             reinterpret_cast<LPARAM>(to_utf16(*file).c_str()));
    }
    click_away(::GetDlgItem(dialog, file ? IDOK : IDCANCEL));
}

std::map<HWND, std::string> Program::tool_tips(HWND form) const
{
    const HWND tips = owned(form, TOOLTIPS_CLASSW);
    std::map<HWND, std::string> result;
    if (tips == nullptr) return result;
    // The message takes a pointer, which the program follows in its own memory: the tool's
    // description, pointing at room for its text.
    struct Tool {
        TTTOOLINFOW info;
        wchar_t text[2048];
    };
    auto* remote = static_cast<Tool*>(
        ::VirtualAllocEx(process_.hProcess, nullptr, sizeof(Tool), MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr) throw std::runtime_error("no memory in the program for tool tips");
    const auto count = static_cast<UINT>(send(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        Tool tool{};
        tool.info.cbSize = sizeof tool.info;
        tool.info.lpszText = remote->text;
        ::WriteProcessMemory(process_.hProcess, remote, &tool, sizeof tool, nullptr);
        send(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&remote->info));
        ::ReadProcessMemory(process_.hProcess, remote, &tool, sizeof tool, nullptr);
        tool.text[std::size(tool.text) - 1] = L'\0';
        result[reinterpret_cast<HWND>(tool.info.uId)] = to_utf8(tool.text);
    }
    ::VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return result;
}

std::string Program::tool_tip_over(HWND form, HWND control) const
{
    const HWND tips = owned(form, TOOLTIPS_CLASSW);
    ::SetCursorPos(0, 0);
    wait_for([&] { return !::IsWindowVisible(tips); }, "the last tool tip to go");
    point_at(control, -1);
    // It shows once the pointer has rested for the tool tip's delay (half a second).
    wait_for([&] { return ::IsWindowVisible(tips); }, "the tool tip to show");
    return text(tips);
}

void Program::wait_until_idle() const
{
    if (::WaitForInputIdle(process_.hProcess, static_cast<DWORD>(kPatienceMs)) != 0)
        throw std::runtime_error("the program never waited for input");
}

DWORD Program::exit_code() const
{
    // STILL_ACTIVE when it has not ended in time.
    DWORD code = 0;
    ::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kPatienceMs));
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND control(HWND form, const ui::FormSpec& table, std::string_view name)
{
    const ui::ControlSpec* row = table.find(name);
    if (row == nullptr) throw std::runtime_error("no " + std::string(name));
    return ::GetDlgItem(form, 1000 + static_cast<int>(row - table.controls.data()));
}

std::string text(HWND window)
{
    std::wstring buffer(static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(
        send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))));
    return to_utf8(buffer);
}

void click(HWND button)
{
    // No user can click what is hidden or behind a modal box, but one waits for it to show.
    wait_for(
        [&] {
            return button != nullptr && ::IsWindowVisible(button) && ::IsWindowEnabled(button) &&
                   ::IsWindowEnabled(::GetAncestor(button, GA_ROOT));
        },
        "a control to click");
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

void click_away(HWND button)
{
    const HWND window = ::GetAncestor(button, GA_ROOT);
    click(button);
    wait_for([&] { return !::IsWindowVisible(window); }, "the window to go");
}

void mouse_clicks(HWND window, int count, DWORD button, int from_top)
{
    point_at(window, from_top);
    std::vector<INPUT> inputs(2 * static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        // Each button's release is the flag after its press.
        inputs[i].mi.dwFlags = i % 2 == 0 ? button : button << 1;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void type(HWND edit, std::string_view typed)
{
    send(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : to_utf16(typed)) send(edit, WM_CHAR, c, 1);
}

testing_support::Image capture(HWND window, const std::function<void(HDC)>& over)
{
    RECT r{};
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    testing_support::Image image{r.right - r.left, r.bottom - r.top, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, image.width, image.height, screen, r.left, r.top, SRCCOPY);
    if (over) over(memory);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    // 0x00RRGGBB: the fourth byte of each pixel is unused.
    for (int i = 0; i < image.width * image.height; ++i) image.pixels.push_back(pixels[i] & 0xffffff);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return image;
}

std::vector<std::string> shell_log(std::size_t count)
{
    std::vector<std::string> lines;
    wait_for(
        [&] {
            std::ifstream in(shell_log_path());
            lines.clear();
            for (std::string line; std::getline(in, line);) lines.push_back(line);
            return lines.size() >= count;
        },
        "the desktop's handlers to be asked " + std::to_string(count) + " times");
    return lines;
}

} // namespace e2e
