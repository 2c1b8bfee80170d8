// The in-memory test desktop.
#include "desktop/headless_desktop.h"

#include "ui/form_rules.h"
#include "ui/keyboard.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace testing_support {
namespace {

std::logic_error misuse(std::string_view what)
{
    return std::logic_error("headless desktop: " + std::string(what));
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

ui::WindowId HeadlessDesktop::create(const ui::FormSpec& spec, ui::WindowEvents& events)
{
    Window w{&spec, &events};
    for (const ui::ControlSpec& c : spec.controls) {
        ControlState state;
        if (c.kind == ui::ControlKind::TextBox || c.kind == ui::ControlKind::Label ||
            c.kind == ui::ControlKind::LinkLabel || c.kind == ui::ControlKind::Button ||
            c.kind == ui::ControlKind::CheckBox || c.kind == ui::ControlKind::Frame) {
            state.text = std::string(c.text);
        }
        state.check = c.checked ? ui::CheckState::Checked : ui::CheckState::Unchecked;
        w.controls.emplace(std::string(c.name), std::move(state));
    }
    ui::WindowId id = next_id_++;
    windows_.emplace(id, std::move(w));
    ++created_[std::string(spec.name)];
    log_.push_back("create " + std::string(spec.name));
    return id;
}

void HeadlessDesktop::show(ui::WindowId id)
{
    Window& w = window(id);
    w.visible = true;
    if (!w.shown_before) {
        w.shown_before = true;
        if (const ui::ControlSpec* first = ui::first_focus(*w.spec, Keys{*this, w}))
            w.focus = std::string(first->name);
    }
    std::erase(z_order_, id);
    z_order_.insert(z_order_.begin(), id);
    log_.push_back("show " + name_of(id));
}

void HeadlessDesktop::hide(ui::WindowId id)
{
    window(id).visible = false;
    std::erase(z_order_, id);
    log_.push_back("hide " + name_of(id));
}

void HeadlessDesktop::destroy(ui::WindowId id)
{
    auto it = windows_.find(id);
    if (it == windows_.end()) return; // already gone with the end of the program
    log_.push_back("destroy " + std::string(it->second.spec->name));
    windows_.erase(it);
    std::erase(z_order_, id);
}

std::string HeadlessDesktop::text(ui::WindowId id, std::string_view name) const
{
    return control(window(id), name).text;
}

void HeadlessDesktop::set_text(ui::WindowId id, std::string_view name, std::string_view text)
{
    control(window(id), name).text = std::string(text);
}

ui::CheckState HeadlessDesktop::check(ui::WindowId id, std::string_view name) const
{
    return control(window(id), name).check;
}

ui::Answer HeadlessDesktop::message_box(ui::WindowId owner, const ui::MessageBoxRequest& box)
{
    boxes_.push_back(
        {name_of(owner), std::string(box.text), std::string(box.title), box.buttons, box.icon});
    if (!box_answers_.empty()) {
        ui::Answer answer = box_answers_.front();
        box_answers_.pop_front();
        return answer;
    }
    return box.buttons == ui::MessageButtons::YesNo ? ui::Answer::No : ui::Answer::Ok;
}

std::optional<std::string> HeadlessDesktop::open_file_dialog(ui::WindowId owner,
                                                             const ui::FileDialogSpec& spec)
{
    dialogs_.push_back({name_of(owner), std::string(spec.title), spec.initial_name,
                        std::string(spec.filter_label), std::string(spec.filter_pattern)});
    if (dialog_answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = dialog_answers_.front();
    dialog_answers_.pop_front();
    return answer;
}

void HeadlessDesktop::shell_open(ui::WindowId owner, const ui::OpenRequest& request)
{
    shell_.push_back({name_of(owner), request});
}

void HeadlessDesktop::set_movie(ui::WindowId id, std::string_view name, std::string_view path)
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
    return id_of(form) != ui::kNoWindow;
}

bool HeadlessDesktop::visible(std::string_view form) const
{
    ui::WindowId id = id_of(form);
    return id != ui::kNoWindow && window(id).visible;
}

std::vector<std::string> HeadlessDesktop::visible_windows() const
{
    std::vector<std::string> names;
    for (ui::WindowId id : z_order_) names.push_back(name_of(id));
    return names;
}

int HeadlessDesktop::created(std::string_view form) const
{
    auto it = created_.find(form);
    return it == created_.end() ? 0 : it->second;
}

std::string HeadlessDesktop::text(std::string_view form, std::string_view name) const
{
    return text(existing(form), name);
}

ui::CheckState HeadlessDesktop::check(std::string_view form, std::string_view name) const
{
    return check(existing(form), name);
}

std::string HeadlessDesktop::focus(std::string_view form) const
{
    ui::WindowId id = id_of(form);
    return id == ui::kNoWindow ? std::string() : window(id).focus;
}

std::string HeadlessDesktop::movie(std::string_view form, std::string_view name) const
{
    return control(window(existing(form)), name).movie;
}

void HeadlessDesktop::type(std::string_view form, std::string_view name, std::string_view text)
{
    Window& w = visible_window(form);
    const ui::ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr || spec->kind != ui::ControlKind::TextBox)
        throw misuse("cannot type into " + std::string(name));
    w.focus = std::string(name);
    // Characters, not bytes, count against the box's maximum length.
    ControlState& box = control(w, name);
    std::size_t length = split_characters(box.text).size();
    for (std::string_view ch : split_characters(text)) {
        if (spec->max_length > 0 && length++ >= static_cast<std::size_t>(spec->max_length)) break;
        box.text += ch;
    }
}

void HeadlessDesktop::clear(std::string_view form, std::string_view name)
{
    Window& w = visible_window(form);
    const ui::ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr || spec->kind != ui::ControlKind::TextBox)
        throw misuse("cannot clear " + std::string(name));
    w.focus = std::string(name);
    control(w, name).text.clear();
}

void HeadlessDesktop::click(std::string_view form, std::string_view name)
{
    Window& w = visible_window(form);
    const ui::ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr) throw misuse("no control " + std::string(name));
    if (ui::takes_focus(spec->kind)) w.focus = std::string(name);
    press(w, *spec);
}

// A check box ticks itself; a text box hears nothing of a click. The handler may destroy the
// window.
void HeadlessDesktop::press(Window& w, const ui::ControlSpec& spec)
{
    if (spec.kind == ui::ControlKind::CheckBox) {
        ControlState& box = control(w, spec.name);
        box.check = box.check == ui::CheckState::Checked ? ui::CheckState::Unchecked : ui::CheckState::Checked;
    }
    if (spec.kind != ui::ControlKind::TextBox) w.events->on_click(spec.name);
}

void HeadlessDesktop::click_at(std::string_view form, int x, int y)
{
    Window& w = visible_window(form);
    if (const ui::ControlSpec* hit = ui::hit_test(*w.spec, x, y)) click(form, hit->name);
}

void HeadlessDesktop::press_enter(std::string_view form)
{
    press_key(form, {ui::Key::Kind::Enter});
}

void HeadlessDesktop::press_alt(std::string_view form, char key)
{
    press_key(form, {ui::Key::Kind::Char, static_cast<unsigned char>(key), false, true});
}

void HeadlessDesktop::press_key(std::string_view form, const ui::Key& key)
{
    Window& w = visible_window(form);
    Keys host{*this, w};
    ui::handle_key(*w.spec, host, key);
}

void HeadlessDesktop::request_close(std::string_view form)
{
    visible_window(form).events->on_close_request();
}

void HeadlessDesktop::answer_boxes(std::initializer_list<ui::Answer> answers)
{
    box_answers_.insert(box_answers_.end(), answers.begin(), answers.end());
}

void HeadlessDesktop::answer_file_dialog(std::optional<std::string> chosen)
{
    dialog_answers_.push_back(std::move(chosen));
}

HeadlessDesktop::Window& HeadlessDesktop::window(ui::WindowId id)
{
    return const_cast<Window&>(std::as_const(*this).window(id));
}

const HeadlessDesktop::Window& HeadlessDesktop::window(ui::WindowId id) const
{
    auto it = windows_.find(id);
    if (it == windows_.end()) throw misuse("no window with id " + std::to_string(id));
    return it->second;
}

ui::WindowId HeadlessDesktop::id_of(std::string_view form) const
{
    for (const auto& [id, w] : windows_) {
        if (w.spec->name == form) return id;
    }
    return ui::kNoWindow;
}

ui::WindowId HeadlessDesktop::existing(std::string_view form) const
{
    ui::WindowId id = id_of(form);
    if (id == ui::kNoWindow) throw misuse("no window " + std::string(form));
    return id;
}

HeadlessDesktop::Window& HeadlessDesktop::visible_window(std::string_view form)
{
    Window& w = window(existing(form));
    if (!w.visible) throw misuse(std::string(form) + " is not shown");
    return w;
}

HeadlessDesktop::ControlState& HeadlessDesktop::control(Window& w, std::string_view name)
{
    return const_cast<ControlState&>(std::as_const(*this).control(w, name));
}

const HeadlessDesktop::ControlState& HeadlessDesktop::control(const Window& w,
                                                              std::string_view name) const
{
    auto it = w.controls.find(name);
    if (it == w.controls.end()) throw misuse("no control " + std::string(name));
    return it->second;
}

std::string HeadlessDesktop::name_of(ui::WindowId id) const
{
    auto it = windows_.find(id);
    return it == windows_.end() ? std::string() : std::string(it->second.spec->name);
}

} // namespace testing_support
