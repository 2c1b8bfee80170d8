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

// Whether a byte begins a UTF-8 character rather than continuing one.
bool begins_character(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

} // namespace

ui::WindowId HeadlessDesktop::create(const ui::FormSpec& spec, ui::WindowEvents& events)
{
    Window w{&spec, &events};
    for (const ui::ControlSpec& c : spec.controls) {
        // A picture's or a movie's text names its artwork; it shows no text.
        const bool shows_text =
            c.kind != ui::ControlKind::Picture && c.kind != ui::ControlKind::Movie;
        w.controls[std::string(c.name)] = {shows_text ? std::string(c.text) : std::string(),
                                           ui::CheckState(c.checked)};
    }
    ui::WindowId id = next_id_++;
    windows_.emplace(id, std::move(w));
    log_.push_back("create " + std::string(spec.name));
    return id;
}

void HeadlessDesktop::show(ui::WindowId id)
{
    Window& w = window(id);
    w.visible = true;
    // The first show focuses the first control in keyboard order; later ones keep the focus.
    const ui::ControlSpec* first = ui::first_focus(*w.spec, Keys{*this, w});
    if (w.focus.empty() && first != nullptr) w.focus = std::string(first->name);
    std::erase(z_order_, id);
    z_order_.insert(z_order_.begin(), id);
    log_.push_back("show " + name(id));
}

void HeadlessDesktop::hide(ui::WindowId id)
{
    window(id).visible = false;
    std::erase(z_order_, id);
    log_.push_back("hide " + name(id));
}

void HeadlessDesktop::destroy(ui::WindowId id)
{
    if (!windows_.contains(id)) return; // already gone with the end of the program
    log_.push_back("destroy " + name(id));
    windows_.erase(id);
    std::erase(z_order_, id);
}

std::string HeadlessDesktop::text(ui::WindowId id, std::string_view name) const
{
    return state(window(id), name).text;
}

void HeadlessDesktop::set_text(ui::WindowId id, std::string_view name, std::string_view text)
{
    state(window(id), name).text = std::string(text);
}

ui::CheckState HeadlessDesktop::check(ui::WindowId id, std::string_view name) const
{
    return state(window(id), name).check;
}

ui::Answer HeadlessDesktop::message_box(ui::WindowId owner, const ui::MessageBoxRequest& box)
{
    boxes_.emplace_back(name(owner), box.text, box.title, box.buttons, box.icon);
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
    dialogs_.emplace_back(name(owner), spec.title, spec.initial_name, spec.filter_label,
                          spec.filter_pattern);
    if (dialog_answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = dialog_answers_.front();
    dialog_answers_.pop_front();
    return answer;
}

void HeadlessDesktop::shell_open(ui::WindowId owner, const ui::OpenRequest& request)
{
    shell_.emplace_back(name(owner), request.kind, request.target);
}

void HeadlessDesktop::set_movie(ui::WindowId id, std::string_view name, std::string_view path)
{
    state(window(id), name).movie = std::string(path);
}

void HeadlessDesktop::quit()
{
    windows_.clear();
    z_order_.clear();
    log_.push_back("quit");
}

std::vector<std::string> HeadlessDesktop::visible_windows() const
{
    std::vector<std::string> names;
    for (ui::WindowId id : z_order_) names.push_back(name(id));
    return names;
}

const HeadlessDesktop::Control& HeadlessDesktop::control(std::string_view form,
                                                         std::string_view name) const
{
    return state(existing(form), name);
}

std::string HeadlessDesktop::focus(std::string_view form) const
{
    return existing(form).focus;
}

void HeadlessDesktop::type(std::string_view form, std::string_view name, std::string_view text)
{
    Control& box = text_box(form, name);
    const auto max_length = static_cast<std::size_t>(existing(form).spec->find(name)->max_length);
    std::size_t length = std::ranges::count_if(box.text, begins_character);
    for (char byte : text) {
        if (begins_character(byte) && ++length > max_length && max_length > 0) break;
        box.text += byte;
    }
}

void HeadlessDesktop::clear(std::string_view form, std::string_view name)
{
    text_box(form, name).text.clear();
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
        Control& box = state(w, spec.name);
        box.check = box.check == ui::CheckState::Checked ? ui::CheckState::Unchecked
                                                         : ui::CheckState::Checked;
    }
    if (spec.kind != ui::ControlKind::TextBox) w.events->on_click(spec.name);
}

void HeadlessDesktop::click_at(std::string_view form, int x, int y)
{
    Window& w = visible_window(form);
    if (const ui::ControlSpec* hit = ui::hit_test(*w.spec, x, y)) click(form, hit->name);
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

HeadlessDesktop::Window& HeadlessDesktop::window(ui::WindowId id) const
{
    auto it = windows_.find(id);
    if (it == windows_.end()) throw misuse("no window with id " + std::to_string(id));
    return it->second;
}

HeadlessDesktop::Window& HeadlessDesktop::existing(std::string_view form) const
{
    for (auto& [id, w] : windows_) {
        if (w.spec->name == form) return w;
    }
    throw misuse("no window " + std::string(form));
}

HeadlessDesktop::Window& HeadlessDesktop::visible_window(std::string_view form) const
{
    Window& w = existing(form);
    if (!w.visible) throw misuse(std::string(form) + " is not shown");
    return w;
}

HeadlessDesktop::Control& HeadlessDesktop::text_box(std::string_view form, std::string_view name)
{
    Window& w = visible_window(form);
    const ui::ControlSpec* spec = w.spec->find(name);
    if (spec == nullptr || spec->kind != ui::ControlKind::TextBox)
        throw misuse(std::string(name) + " is not a text box");
    w.focus = std::string(name);
    return state(w, name);
}

HeadlessDesktop::Control& HeadlessDesktop::state(Window& w, std::string_view name)
{
    auto it = w.controls.find(name);
    if (it == w.controls.end()) throw misuse("no control " + std::string(name));
    return it->second;
}

} // namespace testing_support
