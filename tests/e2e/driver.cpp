// The outside driver of the real program: processes, windows, remote tool tips, box pixels.
#include "e2e/driver.h"

#include "location/settings_window.h"
#include "settings/main_window.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kBoxTextId = 0xFFFF;
// The file name box of the explorer-style dialog: a combo box (cmb13), or an edit (edt1).
constexpr int kFileNameIds[] = {0x47C, 0x480};

// CMake hands over host paths; under Wine the host's root is drive Z:.
std::filesystem::path host_path(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return to_utf16(path.starts_with("\\") ? "Z:" + path : path);
}

DWORD process_of(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> top_level_windows()
{
    std::vector<HWND> all;
    ::EnumWindows(
        [](HWND h, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string caption_of(HWND window)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(window, buffer, 512);
    return to_utf8(buffer);
}

bool is_dialog_of(HWND window, HWND owner)
{
    return ::GetWindow(window, GW_OWNER) == owner && class_of(window) == kDialogClass;
}

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kPatienceMs, &result))
        throw std::runtime_error("the program did not answer a message");
    return static_cast<LRESULT>(result);
}

// A drawing, or a piece of the screen, as 0xRRGGBB pixels.
template <class Draw> std::vector<std::uint32_t> pixels(int width, int height, Draw draw)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    draw(dc);
    ::GdiFlush();
    std::vector<std::uint32_t> result(static_cast<std::uint32_t*>(bits),
                                      static_cast<std::uint32_t*>(bits) + width * height);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    for (std::uint32_t& p : result) p &= 0xFFFFFF;
    return result;
}

bool alike(std::uint32_t a, std::uint32_t b)
{
    for (int shift : {0, 8, 16}) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 24) return false;
    }
    return true;
}

// The icon a box shows, told by its pixels on the screen: icon handles belong to each process,
// so the program's cannot be compared with the driver's own.
Icon drawn_icon(HWND box)
{
    HWND icon = nullptr;
    for (HWND c = ::GetWindow(box, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (class_of(c) == L"Static" &&
            (::GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = c;
    }
    if (icon == nullptr) return Icon::None;
    RECT r{};
    ::GetClientRect(icon, &r);
    POINT origin{0, 0};
    ::ClientToScreen(icon, &origin);
    const int w = r.right, h = r.bottom;
    const auto shown = pixels(w, h, [&](HDC dc) {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(dc, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    });
    const std::pair<Icon, LPCWSTR> candidates[] = {{Icon::Question, IDI_QUESTION},
                                                   {Icon::Exclamation, IDI_EXCLAMATION},
                                                   {Icon::Information, IDI_INFORMATION}};
    Icon best = Icon::None;
    double best_share = 0.9; // of the candidate's opaque pixels, as they are on the screen
    for (const auto& [kind, id] : candidates) {
        auto on = [&](DWORD background) {
            return pixels(w, h, [&](HDC dc) {
                ::PatBlt(dc, 0, 0, w, h, background);
                ::DrawIconEx(dc, 0, 0, ::LoadIconW(nullptr, id), w, h, 0, nullptr, DI_NORMAL);
            });
        };
        const auto black = on(BLACKNESS), white = on(WHITENESS);
        int opaque = 0, same = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (black[i] != white[i]) continue;
            ++opaque;
            same += alike(black[i], shown[i]) ? 1 : 0;
        }
        const double share = opaque > 0 ? double(same) / opaque : 0;
        if (share >= best_share) best = kind, best_share = share;
    }
    return best;
}

} // namespace

void PrintTo(const BoxLook& box, std::ostream* os)
{
    static constexpr const char* kIcons[] = {"none", "question", "exclamation", "information"};
    *os << "{\"" << box.text << "\", \"" << box.title << "\", buttons";
    for (int b : box.buttons) *os << " " << b;
    *os << ", " << kIcons[static_cast<int>(box.icon)] << "}";
}

Program::Program(const Files& files)
{
    // Pixels as the program draws them, whatever the screen's DPI.
    ::SetProcessDPIAware();
    static int runs = 0;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = temp + (L"skirmishcfg-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                      std::to_wstring(++runs));
    namespace fs = std::filesystem;
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    const std::wstring exe = folder_ + L"\\skirmishcfg.exe";
    fs::copy_file(host_path(E2E_PROGRAM), exe);
    for (const char* asset : {"readme.txt", "tessel.swf"})
        fs::copy_file(host_path(E2E_SOURCE_DIR "/assets/") / asset, to_utf16(path(asset)));
    for (const auto& [name, bytes] : files) write(name, bytes);

    // Started from elsewhere: the program finds its folder by itself, not as the current one.
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, temp,
                          &startup, &process_))
        throw std::runtime_error("cannot start the program");
    main_ = form(settings::kForm1.caption);
}

Program::~Program()
{
    // What the program started goes first, while its parent is still known.
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != process_.dwProcessId) continue;
        if (HANDLE child = ::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
            ::TerminateProcess(child, 1);
            ::CloseHandle(child);
        }
    }
    ::CloseHandle(snapshot);
    if (process_.hProcess != nullptr) {
        ::TerminateProcess(process_.hProcess, 1);
        ::WaitForSingleObject(process_.hProcess, 5000);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string Program::path(std::string_view name) const
{
    std::string result = to_utf8(folder_) + "\\" + std::string(name);
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

std::optional<std::string> Program::read(std::string_view name) const
{
    std::ifstream in(std::filesystem::path(to_utf16(path(name))), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Program::write(std::string_view name, std::string_view bytes) const
{
    const std::filesystem::path file(to_utf16(path(name)));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

HWND Program::find(const std::function<bool(HWND)>& test) const
{
    for (HWND h : top_level_windows()) {
        if (process_of(h) == process_.dwProcessId && ::IsWindowVisible(h) && test(h)) return h;
    }
    return nullptr;
}

HWND Program::form(std::string_view caption) const
{
    return wait_for([&] { return find([&](HWND h) { return caption_of(h) == caption; }); },
                    "the window \"" + std::string(caption) + "\"");
}

std::vector<std::string> Program::shown() const
{
    std::vector<std::string> captions;
    for (HWND h : top_level_windows()) {
        if (process_of(h) == process_.dwProcessId && ::IsWindowVisible(h) &&
            class_of(h) == L"SkirmishcfgForm")
            captions.push_back(caption_of(h));
    }
    std::sort(captions.begin(), captions.end());
    return captions;
}

Box Program::box(HWND owner) const
{
    Box box;
    box.hwnd = wait_for(
        [&] {
            return find(
                [&](HWND h) { return is_dialog_of(h, owner) && ::GetDlgItem(h, kBoxTextId); });
        },
        "a message box");
    box.look.title = caption_of(box.hwnd);
    box.look.text = text(::GetDlgItem(box.hwnd, kBoxTextId));
    for (int id = IDOK; id <= IDNO; ++id) {
        HWND button = ::GetDlgItem(box.hwnd, id);
        if (button != nullptr && ::IsWindowVisible(button)) box.look.buttons.push_back(id);
    }
    // The same icon on several looks in a row: a box just shown may not have drawn it yet.
    Icon last = Icon::None;
    int same = 0;
    box.look.icon = *wait_for(
        [&]() -> std::optional<Icon> {
            const Icon now = drawn_icon(box.hwnd);
            same = now == last ? same + 1 : 0;
            last = now;
            return now != Icon::None && same >= 4 ? std::optional(now) : std::nullopt;
        },
        "a known icon on the box \"" + box.look.title + "\"");
    return box;
}

void Program::answer(const Box& box, int button) const
{
    click(::GetDlgItem(box.hwnd, button));
    wait_for([&] { return !::IsWindowVisible(box.hwnd); }, "the box to go");
}

void Program::no_box(HWND owner) const
{
    wait_for(
        [&] {
            return !find([&](HWND h) { return is_dialog_of(h, owner); }) &&
                   (!::IsWindow(owner) || ::IsWindowEnabled(owner));
        },
        "the window to take input again");
    // The click's handler may still run, and may even close the owner; the program answers
    // this only back in its message loop, or in the loop of a further box.
    const HWND any = ::IsWindow(owner) ? owner : main_;
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(any, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored) &&
        ::IsWindow(any))
        throw std::runtime_error("the program did not finish the click");
    for (HWND h : top_level_windows()) {
        if (is_dialog_of(h, owner)) ADD_FAILURE() << "a further box: " << caption_of(h);
    }
}

void Program::file_dialog(HWND owner, const std::optional<std::string>& file) const
{
    const HWND dialog = wait_for(
        [&] {
            return find([&](HWND h) {
                return is_dialog_of(h, owner) && caption_of(h) == location::kDialogTitle;
            });
        },
        "the file dialog");
    if (file) {
        HWND name = nullptr;
        for (int id : kFileNameIds) name = name != nullptr ? name : ::GetDlgItem(dialog, id);
        send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(to_utf16(*file).c_str()));
    }
    click(::GetDlgItem(dialog, file ? IDOK : IDCANCEL));
    wait_for([&] { return !::IsWindowVisible(dialog); }, "the file dialog to go");
}

std::map<HWND, std::string> Program::tool_tips(HWND form) const
{
    HWND tips = nullptr;
    for (HWND h : top_level_windows()) {
        if (::GetWindow(h, GW_OWNER) == form && class_of(h) == TOOLTIPS_CLASSW) tips = h;
    }
    std::map<HWND, std::string> result;
    if (tips == nullptr) return result;
    // The messages take pointers, which the program follows in its own memory: the tool's
    // description, then room for its text.
    constexpr std::size_t kChars = 2048;
    const HANDLE process = process_.hProcess;
    auto* remote = static_cast<char*>(
        ::VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t),
                         MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr) throw std::runtime_error("no memory in the program for tool tips");
    auto* remote_text = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
    const auto count = static_cast<UINT>(send(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        ::WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        send(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote));
        ::ReadProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        tool.lpszText = remote_text;
        std::array<wchar_t, kChars> buffer{};
        ::WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        ::WriteProcessMemory(process, remote_text, buffer.data(), sizeof(wchar_t), nullptr);
        send(tips, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
        ::ReadProcessMemory(process, remote_text, buffer.data(), sizeof buffer, nullptr);
        buffer.back() = L'\0';
        result[reinterpret_cast<HWND>(tool.uId)] = to_utf8(buffer.data());
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return result;
}

HWND Program::focus(HWND form) const
{
    return wait_for(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            HWND h = ::GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
            while (h != nullptr && ::GetParent(h) != form) h = ::GetParent(h);
            return h;
        },
        "the keyboard focus in the window");
}

DWORD Program::exit_code() const
{
    wait_for([&] { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; },
             "the program to end");
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND Program::window_of_child(std::string_view part) const
{
    return wait_for(
        [&]() -> HWND {
            for (HWND h : top_level_windows()) {
                if (::IsWindowVisible(h) && process_of(h) != process_.dwProcessId &&
                    process_of(h) != ::GetCurrentProcessId() &&
                    caption_of(h).find(part) != std::string::npos)
                    return h;
            }
            return nullptr;
        },
        "a window titled with \"" + std::string(part) + "\"");
}

HWND control(HWND form, const platform::FormSpec& table, std::string_view name)
{
    const auto row = std::find_if(table.controls.begin(), table.controls.end(),
                                  [&](const platform::ControlSpec& c) { return c.name == name; });
    if (row == table.controls.end()) throw std::runtime_error("no " + std::string(name));
    return ::GetDlgItem(form, 1000 + static_cast<int>(row - table.controls.begin()));
}

int dpi_of(HWND window)
{
    // Newer than the Windows that the headers here describe.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto get = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return get != nullptr ? static_cast<int>(get(window)) : USER_DEFAULT_SCREEN_DPI;
}

RECT rect_in_parent(HWND control)
{
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring class_of(HWND window)
{
    wchar_t name[128] = {};
    ::GetClassNameW(window, name, 128);
    return name;
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
    // No user can click what is hidden or behind a modal box.
    if (button == nullptr || !::IsWindowVisible(button) || !::IsWindowEnabled(button) ||
        !::IsWindowEnabled(::GetAncestor(button, GA_ROOT)))
        throw std::runtime_error("cannot click a missing, hidden or disabled control");
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

HWND child_at(HWND form, POINT point)
{
    return ::ChildWindowFromPointEx(form, point, CWP_SKIPINVISIBLE);
}

void click_at(HWND form, POINT point)
{
    HWND target = child_at(form, point);
    ::MapWindowPoints(form, target, &point, 1);
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ::PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void type(HWND edit, std::string_view typed)
{
    send(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : to_utf16(typed)) send(edit, WM_CHAR, c, 1);
}

void press(HWND target, UINT message, WPARAM key)
{
    // Bit 29 of a WM_SYSCHAR says that Alt is down.
    ::PostMessageW(target, message, key, message == WM_SYSCHAR ? (1 << 29) | 1 : 1);
}

void end_process_of(HWND window)
{
    if (HANDLE process =
            ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_of(window))) {
        ::TerminateProcess(process, 0);
        ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
}

std::vector<std::string> shell_log()
{
    const char* log = std::getenv("E2E_SHELL_LOG");
    if (log == nullptr) throw std::runtime_error("E2E_SHELL_LOG is not set: run tests/e2e/run");
    std::ifstream in(host_path(log));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace e2e
