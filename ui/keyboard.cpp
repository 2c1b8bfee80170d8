// The keyboard of every window.
#include "ui/keyboard.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

// The controls that take the focus now, in keyboard order.
std::vector<const ControlSpec*> keyboard_order(const FormSpec& form, const FocusHost& host)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : form.controls) {
        if (takes_focus(c.kind) && c.tab != kNoTab && host.usable(c)) order.push_back(&c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->tab < b->tab; });
    return order;
}

// From a control outside the order, the first (or the last).
const ControlSpec* next_in_order(const FormSpec& form, const FocusHost& host, bool backwards)
{
    const std::vector<const ControlSpec*> order = keyboard_order(form, host);
    if (order.empty()) return nullptr;
    auto it = std::find(order.begin(), order.end(), host.focused());
    if (it == order.end()) return backwards ? order.back() : order.front();
    if (backwards) return it == order.begin() ? order.back() : *std::prev(it);
    return std::next(it) == order.end() ? order.front() : *std::next(it);
}

bool use_access_key(const FormSpec& form, FocusHost& host, char32_t key)
{
    key = ascii_lower(key);
    for (const ControlSpec& c : form.controls) {
        if (access_key(c.text) == 0 || static_cast<char32_t>(access_key(c.text)) != key) continue;
        if (c.kind == ControlKind::Button || c.kind == ControlKind::CheckBox) {
            if (!host.usable(c)) return false;
            host.focus(&c);
            host.press(&c);
            return true;
        }
        if (c.kind == ControlKind::Label) {
            for (const ControlSpec* next : keyboard_order(form, host)) {
                if (next->tab > c.tab) {
                    host.focus(next);
                    return true;
                }
            }
        }
        return false;
    }
    return false;
}

} // namespace

bool handle_key(const FormSpec& form, FocusHost& host, const Key& key)
{
    switch (key.kind) {
    case Key::Kind::Tab:
        if (key.ctrl || key.alt) return false;
        if (const ControlSpec* next = next_in_order(form, host, key.shift)) host.focus(next);
        return true;
    case Key::Kind::Enter:
        if (key.alt) return false;
        if (const ControlSpec* target = default_button(form, host.focused())) host.press(target);
        return true;
    case Key::Kind::Char: return key.alt && !key.ctrl && use_access_key(form, host, key.ch);
    }
    return false;
}

const ControlSpec* first_focus(const FormSpec& form, const FocusHost& host)
{
    const std::vector<const ControlSpec*> order = keyboard_order(form, host);
    return order.empty() ? nullptr : order.front();
}

const ControlSpec* default_button(const FormSpec& form, const ControlSpec* focused)
{
    if (focused != nullptr && focused->kind == ControlKind::Button) return focused;
    for (const ControlSpec& c : form.controls) {
        if (c.default_button) return &c;
    }
    return nullptr;
}

} // namespace ui
