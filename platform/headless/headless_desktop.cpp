// The in-memory test desktop.
#include "platform/headless/headless_desktop.h"

#include <algorithm>
#include <stdexcept>

namespace platform {
namespace {

std::logic_error misuse(std::string_view what)
{
    return std::logic_error("headless desktop: " + std::string(what));
}

// Characters, not bytes, count against a text box's maximum length.
std::size_t characters(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The UTF-8 characters of a text, one string each.
std::vector<std::string_view> split_characters(std::string_view utf8)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= utf8.size(); ++i) {
        if (i == utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            out.push_back(utf8.substr(start, i - start));
            start = i;
        }
    }
    return out;
}

} // namespace

WindowId HeadlessDesktop::create(const FormSpec& spec, WindowEvents& events)
{
    Window w{&spec, &events};
    for (const ControlSpec& c : spec.controls) {
        ControlState state;
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Label ||
            c.kind == ControlKind::LinkLabel || c.kind == ControlKind::Button ||
            c.kind == ControlKind::CheckBox || c.kind == ControlKind::Frame) {
            state.text = std::string(c.text);
        }
        state.check = c.checked ? CheckState::Checked : CheckState::Unchecked;
        w.controls.emplace(std::string(c.name), std::move(state));
    }
    WindowId id = next_id_++;
    windows_.emplace(id, std::move(w));
    ++created_[std::string(spec.name)];
    log_.push_back("create " + std::string(spec.name));
    return id;
}

void HeadlessDesktop::show(WindowId id)
{
    Window& w = window(id);
    w.visible = true;
    if (!w.shown_before) {
        w.shown_before = true;
        std::vector<const ControlSpec*> order = tab_order(w);
        if (!order.empty()) w.focus = std::string(order.front()->name);
    }
    std::erase(z_order_, id);
    z_order_.insert(z_order_.begin(), id);
    log_.push_back("show " + name_of(id));
}

void HeadlessDesktop::hide(WindowId id)
{
    window(id).visible = false;
    std::erase(z_order_, id);
    log_.push_back("hide " + name_of(id));
}

void HeadlessDesktop::destroy(WindowId id)
{
    auto it = windows_.find(id);
    if (it == windows_.end()) return; // already gone with the end of the program
    log_.push_back("destroy " + std::string(it->second.spec->name));
    windows_.erase(it);
    std::erase(z_order_, id);
}

std::string HeadlessDesktop::text(WindowId id, std::string_view name) const
{
    return control(window(id), name).text;
}

void HeadlessDesktop::set_text(WindowId id, std::string_view name, std::string_view text)
{
    control(window(id), name).text = std::string(text);
}

CheckState HeadlessDesktop::check(WindowId id, std::string_view name) const
{
    return control(window(id), name).check;
}

int HeadlessDesktop::message_box(WindowId owner, std::string_view text, std::string_view title,
                                 int style)
{
    boxes_.push_back({name_of(owner), std::string(text), std::string(title), style});
    if (!box_answers_.empty()) {
        int answer = box_answers_.front();
        box_answers_.pop_front();
        return answer;
    }
    return (style & kMbYesNo) == kMbYesNo ? kAnswerNo : kAnswerOk;
}

std::optional<std::string> HeadlessDesktop::open_file_dialog(WindowId owner,
                                                             const FileDialogSpec& spec)
{
    dialogs_.push_back({name_of(owner), std::string(spec.title), spec.initial_name,
                        std::string(spec.filter_label), std::string(spec.filter_pattern)});
    if (dialog_answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = dialog_answers_.front();
    dialog_answers_.pop_front();
    return answer;
}

void HeadlessDesktop::shell_open(WindowId owner, const ShellRequest& request)
{
    shell_.push_back({name_of(owner), request});
}

void HeadlessDesktop::set_movie(WindowId id, std::string_view name, std::string_view path)
{
    control(window(id), name).movie = std::string(path);
}

void HeadlessDesktop::quit()
{
    ended_ = true;
    windows_.clear();
    z_order_.clear();
    log_.push_back("quit");
}

bool HeadlessDesktop::exists(std::string_view form) const
{
    return id_of(form) != kNoWindow;
}

bool HeadlessDesktop::visible(std::string_view form) const
{
    WindowId id = id_of(form);
    return id != kNoWindow && window(id).visible;
}

std::vector<std::string> HeadlessDesktop::visible_windows() const
{
    std::vector<std::string> names;
    for (WindowId id : z_order_) names.push_back(name_of(id));
    return names;
}

int HeadlessDesktop::created(std::string_view form) const
{
    auto it = created_.find(form);
    return it == created_.end() ? 0 : it->second;
}

std::string HeadlessDesktop::text(std::string_view form, std::string_view name) const
{
    WindowId id = id_of(form);
    if (id == kNoWindow) throw misuse("no window " + std::string(form));
    return text(id, name);
}

CheckState HeadlessDesktop::check(std::string_view form, std::string_view name) const
{
    WindowId id = id_of(form);
    if (id == kNoWindow) throw misuse("no window " + std::string(form));
    return check(id, name);
}

void HeadlessDesktop::set_check(std::string_view form, std::string_view name, CheckState state)
{
    WindowId id = id_of(form);
    if (id == kNoWindow) throw misuse("no window " + std::string(form));
    control(window(id), name).check = state;
}

std::string HeadlessDesktop::focus(std::string_view form) const
{
    WindowId id = id_of(form);
    return id == kNoWindow ? std::string() : window(id).focus;
}

std::string HeadlessDesktop::movie(std::string_view form, std::string_view name) const
{
    WindowId id = id_of(form);
    if (id == kNoWindow) throw misuse("no window " + std::string(form));
    return control(window(id), name).movie;
}

void HeadlessDesktop::type(std::string_view form, std::string_view name, std::string_view text)
{
    Window& w = visible_window(form);
    const ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr || spec->kind != ControlKind::TextBox)
        throw misuse("cannot type into " + std::string(name));
    w.focus = std::string(name);
    ControlState& box = control(w, name);
    for (std::string_view ch : split_characters(text)) {
        if (spec->max_length > 0 &&
            characters(box.text) >= static_cast<std::size_t>(spec->max_length))
            break;
        box.text += ch;
    }
}

void HeadlessDesktop::clear(std::string_view form, std::string_view name)
{
    Window& w = visible_window(form);
    const ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr || spec->kind != ControlKind::TextBox)
        throw misuse("cannot clear " + std::string(name));
    w.focus = std::string(name);
    control(w, name).text.clear();
}

void HeadlessDesktop::click(std::string_view form, std::string_view name)
{
    Window& w = visible_window(form);
    const ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr) throw misuse("no control " + std::string(name));
    if (takes_focus(spec->kind)) w.focus = std::string(name);
    if (spec->kind == ControlKind::CheckBox) {
        ControlState& box = control(w, name);
        box.check = box.check == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked;
    }
    if (spec->kind == ControlKind::TextBox) return;
    w.events->on_click(name);
}

void HeadlessDesktop::click_at(std::string_view form, int x, int y)
{
    Window& w = visible_window(form);
    const ControlSpec* hit = nullptr;
    for (const ControlSpec& c : w.spec->controls) {
        if (!c.parent.empty() || !c.rect.contains(x, y)) continue;
        hit = &c;
        if (c.kind == ControlKind::Frame) {
            for (const ControlSpec& child : w.spec->controls) {
                if (child.parent == c.name &&
                    child.rect.contains(x - c.rect.left, y - c.rect.top)) {
                    hit = &child;
                    break;
                }
            }
        }
        break;
    }
    if (hit != nullptr) click(form, hit->name);
}

void HeadlessDesktop::press_enter(std::string_view form)
{
    Window& w = visible_window(form);
    const ControlSpec* focused = w.spec->find(w.focus);
    if (focused != nullptr && focused->kind == ControlKind::Button) {
        w.events->on_click(focused->name);
        return;
    }
    for (const ControlSpec& c : w.spec->controls) {
        if (c.default_button) {
            w.events->on_click(c.name);
            return;
        }
    }
}

void HeadlessDesktop::press_tab(std::string_view form)
{
    Window& w = visible_window(form);
    std::vector<const ControlSpec*> order = tab_order(w);
    if (order.empty()) return;
    auto it = std::find_if(order.begin(), order.end(),
                           [&](const ControlSpec* c) { return c->name == w.focus; });
    it = (it == order.end() || std::next(it) == order.end()) ? order.begin() : std::next(it);
    w.focus = std::string((*it)->name);
}

void HeadlessDesktop::press_alt(std::string_view form, char key)
{
    Window& w = visible_window(form);
    if (key >= 'A' && key <= 'Z') key = static_cast<char>(key - 'A' + 'a');
    for (const ControlSpec& c : w.spec->controls) {
        if (access_key(c.text) != key) continue;
        if (c.kind == ControlKind::Button || c.kind == ControlKind::CheckBox) {
            click(form, c.name);
        } else if (c.kind == ControlKind::Label) {
            // A label's access key moves the focus to the control after it in keyboard order.
            for (const ControlSpec* next : tab_order(w)) {
                if (next->tab > c.tab) {
                    w.focus = std::string(next->name);
                    break;
                }
            }
        }
        return;
    }
}

void HeadlessDesktop::request_close(std::string_view form)
{
    visible_window(form).events->on_close_request();
}

void HeadlessDesktop::answer_boxes(std::initializer_list<int> answers)
{
    box_answers_.insert(box_answers_.end(), answers.begin(), answers.end());
}

void HeadlessDesktop::answer_file_dialog(std::optional<std::string> chosen)
{
    dialog_answers_.push_back(std::move(chosen));
}

HeadlessDesktop::Window& HeadlessDesktop::window(WindowId id)
{
    auto it = windows_.find(id);
    if (it == windows_.end()) throw misuse("no window with id " + std::to_string(id));
    return it->second;
}

const HeadlessDesktop::Window& HeadlessDesktop::window(WindowId id) const
{
    auto it = windows_.find(id);
    if (it == windows_.end()) throw misuse("no window with id " + std::to_string(id));
    return it->second;
}

WindowId HeadlessDesktop::id_of(std::string_view form) const
{
    for (const auto& [id, w] : windows_) {
        if (w.spec->name == form) return id;
    }
    return kNoWindow;
}

HeadlessDesktop::Window& HeadlessDesktop::visible_window(std::string_view form)
{
    WindowId id = id_of(form);
    if (id == kNoWindow || !window(id).visible) throw misuse(std::string(form) + " is not shown");
    return window(id);
}

HeadlessDesktop::ControlState& HeadlessDesktop::control(Window& w, std::string_view name)
{
    auto it = w.controls.find(name);
    if (it == w.controls.end()) throw misuse("no control " + std::string(name));
    return it->second;
}

const HeadlessDesktop::ControlState& HeadlessDesktop::control(const Window& w,
                                                              std::string_view name) const
{
    auto it = w.controls.find(name);
    if (it == w.controls.end()) throw misuse("no control " + std::string(name));
    return it->second;
}

std::vector<const ControlSpec*> HeadlessDesktop::tab_order(const Window& w) const
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : w.spec->controls) {
        if (takes_focus(c.kind) && c.tab != kNoTab) order.push_back(&c);
    }
    std::sort(order.begin(), order.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tab < b->tab; });
    return order;
}

std::string HeadlessDesktop::name_of(WindowId id) const
{
    auto it = windows_.find(id);
    return it == windows_.end() ? std::string() : std::string(it->second.spec->name);
}

} // namespace platform
