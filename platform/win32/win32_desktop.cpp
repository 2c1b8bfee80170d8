// The Windows front end: any window table realised with plain Win32 and common controls 6.
#include "platform/native_desktop.h"

#include "ui/form_rules.h"
#include "ui/keyboard.h"
#include "ui/twips.h"
#include "platform/win32/art.h"
#include "platform/win32/controls.h"
#include "platform/win32/display.h"
#include "platform/win32/movie.h"
#include "platform/win32/native_style.h"
#include "platform/win32/ole.h"
#include "platform/win32/utf16.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace platform {
namespace {

constexpr int kFirstControlId = 1000;
constexpr int kIconSize = 32;        // button pictures and the window icon, at 96 dpi
constexpr int kSmallIcon = 16;       // the taskbar's small icon, at 96 dpi
constexpr int kTipWidth = 320;       // long tool tips wrap at this width, at 96 dpi
constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED, absent from older headers

// Message-box styles: an icon and a button set, as the boxes of the program are made.
constexpr int kAnswerYes = IDYES; // 6

// A message box's style: its icon and its buttons, each from what the box means.
constexpr UINT box_style(const ui::MessageBoxRequest& box)
{
    const UINT buttons = box.buttons == ui::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    switch (box.icon) {
    case ui::MessageIcon::Question: return MB_ICONQUESTION | buttons;
    case ui::MessageIcon::Warning: return MB_ICONEXCLAMATION | buttons;
    case ui::MessageIcon::Information: break;
    }
    return MB_ICONINFORMATION | buttons;
}
// The program's three kinds of box, as the window system numbers them.
static_assert(box_style({"", "", ui::MessageButtons::YesNo, ui::MessageIcon::Question}) == 36);
static_assert(box_style({"", "", ui::MessageButtons::YesNo, ui::MessageIcon::Warning}) == 52);
static_assert(box_style({"", "", ui::MessageButtons::Ok, ui::MessageIcon::Information}) == 64);

} // namespace

struct NativeDesktop::Window final : ui::FocusHost {
    using Control = ControlWindow;

    const ui::FormSpec* spec = nullptr;
    ui::WindowEvents* events = nullptr;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    UINT dpi = ui::kStandardDpi;
    bool shown_before = false;
    HWND saved_focus = nullptr;
    HICON icons[2] = {nullptr, nullptr};
    std::map<ui::Art, HIMAGELIST> images; // one per button picture, shared by the buttons showing it
    std::vector<Control> controls;
    using FontKey = std::tuple<std::string, int, bool, int>; // face, size, underline, script
    std::map<FontKey, HFONT> fonts;

    // A size given in pixels at 96 dpi, at this window's DPI.
    int scale(int pixels) const { return ::MulDiv(pixels, static_cast<int>(dpi), ui::kStandardDpi); }

    const Control* control(std::string_view name) const
    {
        for (const Control& c : controls) {
            if (c.spec->name == name) return &c;
        }
        return nullptr;
    }

    const Control* control(HWND child) const
    {
        for (const Control& c : controls) {
            if (c.hwnd == child || (c.hwnd != nullptr && ::IsChild(c.hwnd, child))) return &c;
        }
        return nullptr;
    }

    HFONT font(const ui::Font& f)
    {
        // Looking for an installed face enumerates the system's fonts: once per font and DPI.
        const FontKey key{f.face, f.tenth_points, f.underline, static_cast<int>(f.script)};
        if (auto it = fonts.find(key); it != fonts.end()) return it->second;
        const LOGFONTW lf = logical_font(f, dpi);
        return fonts.emplace(key, ::CreateFontIndirectW(&lf)).first->second;
    }

    void release_art()
    {
        for (auto& [art, list] : images) ::ImageList_Destroy(list);
        images.clear();
        for (HICON& icon : icons) {
            if (icon != nullptr) ::DestroyIcon(icon);
            icon = nullptr;
        }
        for (auto& [key, font] : fonts) ::DeleteObject(font);
        fonts.clear();
    }

    void release()
    {
        release_art();
        for (Control& c : controls) {
            if (c.bitmap != nullptr) ::DeleteObject(c.bitmap);
            c.bitmap = nullptr;
        }
    }

    // A button picture at the current DPI, loaded once for all the buttons that show it.
    HIMAGELIST image_list(ui::Art picture)
    {
        if (auto it = images.find(picture); it != images.end()) return it->second;
        const int size = scale(kIconSize);
        HIMAGELIST list = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
        if (HICON icon = load_icon(picture, size)) {
            ::ImageList_AddIcon(list, icon);
            ::DestroyIcon(icon);
        }
        return images.emplace(picture, list).first->second;
    }

    // Places, sizes and dresses every control for the current DPI; run when the window is made
    // (`fresh`: its controls were just created in place and nothing is on screen yet) and when it
    // moves to a monitor of another DPI.
    void layout(bool fresh)
    {
        release_art();
        for (const Control& c : controls) {
            if (!fresh) {
                const ui::Rect r = ui::pixel_rect(*spec, *c.spec, static_cast<int>(dpi));
                ::MoveWindow(c.hwnd, r.left, r.top, r.width, r.height, TRUE);
            }
            const bool pictured =
                c.spec->kind == ui::ControlKind::Button && c.spec->picture != ui::Art::None;
            dress_control(c, font(c.spec->font), pictured ? image_list(c.spec->picture) : nullptr,
                          dpi, !fresh);
        }
        if (tooltip != nullptr) ::SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, scale(kTipWidth));
        if (spec->icon != ui::Art::None) {
            icons[0] = load_icon(spec->icon, scale(kIconSize));
            icons[1] = load_icon(spec->icon, scale(kSmallIcon));
            ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons[0]));
            ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[1]));
        }
    }

    SIZE outer_size() const { return form_size(*spec, dpi); }

    void centre()
    {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        const SIZE size = outer_size();
        ::SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                       work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    bool usable(const ui::ControlSpec& control) const override
    {
        for (const Control& c : controls) {
            if (c.spec == &control) return ::IsWindowEnabled(c.hwnd) && ::IsWindowVisible(c.hwnd);
        }
        return false;
    }

    const ui::ControlSpec* focused() const override
    {
        const Control* c = control(::GetFocus());
        return c != nullptr ? c->spec : nullptr;
    }

    // A focused button is the one Enter presses, and is drawn so; otherwise the default one.
    void mark_default_button()
    {
        const ui::ControlSpec* chosen = ui::default_button(*spec, focused());
        for (const Control& c : controls) {
            if (c.spec->kind != ui::ControlKind::Button) continue;
            ::SendMessageW(c.hwnd, BM_SETSTYLE,
                           (c.spec == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY |
                               BS_MULTILINE,
                           TRUE);
        }
    }

    void focus(const ui::ControlSpec* target) override
    {
        const Control* c = target != nullptr ? control(target->name) : nullptr;
        if (c == nullptr) return;
        ::SetFocus(c->hwnd);
        if (c->spec->kind == ui::ControlKind::TextBox) ::SendMessageW(c->hwnd, EM_SETSEL, 0, -1);
        mark_default_button();
    }

    // The handler may destroy this very window, so nothing of it is touched afterwards.
    void press(const ui::ControlSpec* target) override
    {
        if (const Control* c = target != nullptr ? control(target->name) : nullptr)
            ::SendMessageW(c->hwnd, BM_CLICK, 0, 0);
    }
};

struct NativeDesktop::State {
    // The program's own module: an exe's windows and classes belong to it.
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    std::map<ui::WindowId, std::unique_ptr<Window>> windows;
    ui::WindowId next_id = 1;

    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    bool translate_key(const MSG& msg);
    void relay_to_tool_tips(MSG& msg) const;
    Window* window_of(HWND hwnd) const;
    Window* find(ui::WindowId id) const;
    // Disables every window of the program but `owner` while a modal box or dialog is up.
    std::vector<HWND> disable_others(HWND owner) const;
    HWND control_hwnd(ui::WindowId id, std::string_view control) const;
};

NativeDesktop::NativeDesktop() : state_(std::make_unique<State>())
{
    // Only the classes the windows use: buttons, edits and labels, and tool tips.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    register_movie_strip(state_->instance);

    register_dialog_class(state_->instance, State::window_proc, kFormClass);
}

NativeDesktop::~NativeDesktop()
{
    while (!state_->windows.empty()) destroy(state_->windows.begin()->first);
}

ui::WindowId NativeDesktop::create(const ui::FormSpec& spec, ui::WindowEvents& events)
{
    auto window = std::make_unique<Window>();
    Window& w = *window;
    w.spec = &spec;
    w.events = &events;
    const NativeStyle frame = form_style(spec);
    w.hwnd = ::CreateWindowExW(frame.ex_style, frame.window_class, to_utf16(spec.caption).c_str(),
                               frame.style, 0, 0, 100, 100, nullptr, nullptr, state_->instance, &w);
    if (w.hwnd == nullptr) return ui::kNoWindow;
    w.dpi = dpi_of(w.hwnd);

    w.tooltip =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, w.hwnd, nullptr, state_->instance, nullptr);

    int id = kFirstControlId;
    for (const ui::ControlSpec& c : spec.controls) {
        const Window::Control control = make_control(state_->instance, w.hwnd, spec, c, w.dpi, id);
        if (!c.tooltip.empty() && w.tooltip != nullptr && control.hwnd != nullptr) {
            std::wstring tip = to_utf16(c.tooltip);
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            // The message loop hands the tool tips the mouse (relay_to_tool_tips): subclassing
            // every control for it instead would put a property look-up in front of each message
            // they get, which Wine makes a server round trip, and slowed the first paint.
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = w.hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd);
            tool.lpszText = tip.data();
            ::SendMessageW(w.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        w.controls.push_back(control);
        ++id;
    }
    // The table lists controls from the top of the z-order down; overlapping controls take
    // clicks and paint in that order. Each new child already goes below its elder siblings, so
    // only a control found out of place is moved: one move per control costs a visible share of
    // the start.
    HWND above = HWND_TOP; // null, as GW_HWNDPREV says of the topmost child
    for (const Window::Control& c : w.controls) {
        if (c.hwnd == nullptr) continue;
        if (::GetWindow(c.hwnd, GW_HWNDPREV) != above) {
            ::SetWindowPos(c.hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        above = c.hwnd;
    }
    w.layout(true);
    w.centre();
    // Access keys are always underlined, as the captions promise.
    ::SendMessageW(w.hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS),
                   0);

    const ui::WindowId result = state_->next_id++;
    state_->windows.emplace(result, std::move(window));
    return result;
}

void NativeDesktop::show(ui::WindowId id)
{
    Window* w = state_->find(id);
    if (w == nullptr) return;
    ::ShowWindow(w->hwnd, SW_SHOW);
    ::SetForegroundWindow(w->hwnd);
    ::BringWindowToTop(w->hwnd);
    if (!w->shown_before) {
        w->shown_before = true;
        if (const ui::ControlSpec* first = ui::first_focus(*w->spec, *w)) w->focus(first);
    }
}

void NativeDesktop::hide(ui::WindowId id)
{
    if (Window* w = state_->find(id)) ::ShowWindow(w->hwnd, SW_HIDE);
}

void NativeDesktop::destroy(ui::WindowId id)
{
    auto it = state_->windows.find(id);
    if (it == state_->windows.end()) return;
    std::unique_ptr<Window> w = std::move(it->second);
    state_->windows.erase(it);
    ::DestroyWindow(w->hwnd);
    w->release();
}

std::string NativeDesktop::text(ui::WindowId id, std::string_view control) const
{
    HWND hwnd = state_->control_hwnd(id, control);
    if (hwnd == nullptr) return {};
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return to_utf8(text);
}

void NativeDesktop::set_text(ui::WindowId id, std::string_view control, std::string_view text)
{
    if (HWND hwnd = state_->control_hwnd(id, control)) ::SetWindowTextW(hwnd, to_utf16(text).c_str());
}

ui::CheckState NativeDesktop::check(ui::WindowId id, std::string_view control) const
{
    HWND hwnd = state_->control_hwnd(id, control);
    if (hwnd == nullptr) return ui::CheckState::Unchecked;
    switch (::SendMessageW(hwnd, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return ui::CheckState::Checked;
    case BST_INDETERMINATE: return ui::CheckState::Grayed;
    default: return ui::CheckState::Unchecked;
    }
}

// Message boxes and the file dialog disable their owner themselves; the program's other windows
// are disabled here, so that none of them takes input while the box is up.
std::vector<HWND> NativeDesktop::State::disable_others(HWND owner) const
{
    std::vector<HWND> disabled;
    for (const auto& [id, w] : windows) {
        if (w->hwnd != owner && ::IsWindowEnabled(w->hwnd)) {
            ::EnableWindow(w->hwnd, FALSE);
            disabled.push_back(w->hwnd);
        }
    }
    return disabled;
}

namespace {

void enable_again(const std::vector<HWND>& windows)
{
    for (HWND hwnd : windows) {
        if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
    }
}

} // namespace

ui::Answer NativeDesktop::message_box(ui::WindowId owner, const ui::MessageBoxRequest& box)
{
    Window* w = state_->find(owner);
    HWND hwnd = w != nullptr ? w->hwnd : nullptr;
    const std::vector<HWND> disabled = state_->disable_others(hwnd);
    const int answer = ::MessageBoxW(hwnd, to_utf16(box.text).c_str(), to_utf16(box.title).c_str(),
                                     box_style(box));
    enable_again(disabled);
    if (box.buttons == ui::MessageButtons::Ok) return ui::Answer::Ok;
    return answer == kAnswerYes ? ui::Answer::Yes : ui::Answer::No;
}

std::optional<std::string> NativeDesktop::open_file_dialog(ui::WindowId owner,
                                                          const ui::FileDialogSpec& spec)
{
    Window* w = state_->find(owner);
    std::wstring file = to_utf16(spec.initial_name);
    file.resize(32768, L'\0');
    // Label and pattern, each ended by a NUL, and one more NUL to end the list.
    std::wstring filter = to_utf16(spec.filter_label);
    filter += L'\0';
    filter += to_utf16(spec.filter_pattern);
    filter += L'\0';
    const std::wstring title = to_utf16(spec.title);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = w != nullptr ? w->hwnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    const std::vector<HWND> disabled = state_->disable_others(ofn.hwndOwner);
    ole_ready(); // the dialog shows the shell's folders
    const BOOL chosen = ::GetOpenFileNameW(&ofn);
    enable_again(disabled);
    if (!chosen) return std::nullopt;
    return to_utf8(file.c_str());
}

void NativeDesktop::shell_open(ui::WindowId owner, const ui::OpenRequest& request)
{
    Window* w = state_->find(owner);
    // The shell tells addresses from documents by itself; both are opened the same way. Shown
    // normally: the user asked to see the document, the mail form or the site.
    ole_ready(); // the shell's handlers may be COM objects
    ::ShellExecuteW(w != nullptr ? w->hwnd : nullptr, L"open", to_utf16(request.target).c_str(),
                    L"", L"", SW_SHOWNORMAL);
}

void NativeDesktop::set_movie(ui::WindowId id, std::string_view control, std::string_view path)
{
    if (HWND hwnd = state_->control_hwnd(id, control)) set_movie_path(hwnd, to_utf16(path));
}

void NativeDesktop::run()
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        state_->relay_to_tool_tips(msg);
        if (state_->translate_key(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void NativeDesktop::quit()
{
    while (!state_->windows.empty()) destroy(state_->windows.begin()->first);
    ::PostQuitMessage(0);
}

// The keyboard of a dialog, by the window's own table (ui/keyboard.h); Alt and a letter come as
// WM_SYSCHAR.
bool NativeDesktop::State::translate_key(const MSG& msg)
{
    const bool letter = msg.message == WM_SYSCHAR;
    if (!letter && msg.message != WM_KEYDOWN) return false;
    if (!letter && msg.wParam != VK_TAB && msg.wParam != VK_RETURN) return false;
    Window* w = window_of(msg.hwnd);
    if (w == nullptr) return false;
    ui::Key key{msg.wParam == VK_TAB ? ui::Key::Kind::Tab : ui::Key::Kind::Enter, 0,
                ::GetKeyState(VK_SHIFT) < 0, letter || ::GetKeyState(VK_MENU) < 0,
                ::GetKeyState(VK_CONTROL) < 0};
    if (letter) {
        key.kind = ui::Key::Kind::Char;
        key.ch = static_cast<char32_t>(msg.wParam);
    }
    // A click may destroy this very window: nothing of it is touched afterwards.
    return ui::handle_key(*w->spec, *w, key);
}

// A tool tip sees the mouse over its controls only through the messages it is handed.
void NativeDesktop::State::relay_to_tool_tips(MSG& msg) const
{
    const bool mouse = msg.message == WM_MOUSEMOVE ||
                       (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK);
    if (!mouse) return;
    if (Window* w = window_of(msg.hwnd); w != nullptr && w->tooltip != nullptr)
        ::SendMessageW(w->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

// The program's window that a window of its own belongs to, or none.
NativeDesktop::Window* NativeDesktop::State::window_of(HWND hwnd) const
{
    HWND root = ::GetAncestor(hwnd, GA_ROOT);
    for (const auto& [id, window] : windows) {
        if (window->hwnd == root) return window.get();
    }
    return nullptr;
}

NativeDesktop::Window* NativeDesktop::State::find(ui::WindowId id) const
{
    auto it = windows.find(id);
    return it == windows.end() ? nullptr : it->second.get();
}

HWND NativeDesktop::State::control_hwnd(ui::WindowId id, std::string_view control) const
{
    Window* w = find(id);
    if (w == nullptr) return nullptr;
    const Window::Control* c = w->control(control);
    return c != nullptr ? c->hwnd : nullptr;
}

LRESULT CALLBACK NativeDesktop::State::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* w = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (w == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
    // Nothing thrown may unwind into the window system.
    try {
        switch (message) {
        case WM_COMMAND: {
            const Window::Control* c =
                lparam != 0 ? w->control(reinterpret_cast<HWND>(lparam)) : nullptr;
            if (c == nullptr) break;
            switch (command_notice(*c, HIWORD(wparam))) {
            case Notice::FocusMoved: w->mark_default_button(); break;
            // The handler may destroy this very window, so nothing of it is touched afterwards.
            case Notice::Click: w->events->on_click(c->spec->name); break;
            case Notice::None: break;
            }
            return 0;
        }
        case WM_CLOSE:
            // No close box, yet Alt+F4 and task managers still ask; the window decides.
            w->events->on_close_request();
            return 0;
        case WM_SETCURSOR: {
            if (LOWORD(lparam) != HTCLIENT) break;
            HWND under = reinterpret_cast<HWND>(wparam);
            ui::Cursor cursor = w->spec->cursor;
            if (under != hwnd) {
                const Window::Control* c = w->control(under);
                cursor = c != nullptr ? c->spec->cursor : ui::Cursor::Default;
            }
            if (HCURSOR shape = load_cursor(cursor)) {
                ::SetCursor(shape);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const Window::Control* c = w->control(reinterpret_cast<HWND>(lparam)))
                return reinterpret_cast<LRESULT>(
                    control_colours(*c, reinterpret_cast<HDC>(wparam)));
            break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            const Window::Control* c = w->control(item->hwndItem);
            if (c != nullptr && draw_control(*c, *item)) return TRUE;
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(hwnd, focus)) w->saved_focus = focus;
            } else if (w->saved_focus != nullptr && ::IsWindow(w->saved_focus)) {
                ::SetFocus(w->saved_focus);
                return 0;
            }
            break;
        case kDpiChanged: {
            w->dpi = HIWORD(wparam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
            const SIZE size = w->outer_size();
            ::SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            w->layout(false);
            return 0;
        }
        case WM_DESTROY: ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); break;
        default: break;
        }
    } catch (...) {
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

} // namespace platform
