// The shared keyboard and mouse rules of every window.
#include "ui/form_rules.h"

#include <algorithm>

namespace ui {
namespace {

char32_t lower(char32_t c)
{
    return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c;
}

} // namespace

std::vector<const ControlSpec*> keyboard_order(const FormSpec& form, const Usable& usable)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : form.controls) {
        if (takes_focus(c.kind) && c.tab != kNoTab && (!usable || usable(c))) order.push_back(&c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->tab < b->tab; });
    return order;
}

const ControlSpec* next_in_order(const FormSpec& form, std::string_view current, bool backwards,
                                 const Usable& usable)
{
    const std::vector<const ControlSpec*> order = keyboard_order(form, usable);
    if (order.empty()) return nullptr;
    auto it = std::find_if(order.begin(), order.end(),
                           [&](const ControlSpec* c) { return c->name == current; });
    if (it == order.end()) return backwards ? order.back() : order.front();
    if (backwards) return it == order.begin() ? order.back() : *std::prev(it);
    return std::next(it) == order.end() ? order.front() : *std::next(it);
}

std::optional<KeyAction> access_key_action(const FormSpec& form, char32_t key, const Usable& usable)
{
    key = lower(key);
    for (const ControlSpec& c : form.controls) {
        if (access_key(c.text) == 0 || static_cast<char32_t>(access_key(c.text)) != key) continue;
        if (c.kind == ControlKind::Button || c.kind == ControlKind::CheckBox) {
            if (usable && !usable(c)) return std::nullopt;
            return KeyAction{KeyAction::Kind::Click, &c};
        }
        if (c.kind == ControlKind::Label) {
            for (const ControlSpec* next : keyboard_order(form, usable)) {
                if (next->tab > c.tab) return KeyAction{KeyAction::Kind::Focus, next};
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

const ControlSpec* enter_target(const FormSpec& form, std::string_view focused)
{
    const ControlSpec* f = form.find(focused);
    if (f != nullptr && f->kind == ControlKind::Button) return f;
    for (const ControlSpec& c : form.controls) {
        if (c.default_button) return &c;
    }
    return nullptr;
}

Rect absolute_rect(const FormSpec& form, const ControlSpec& control)
{
    Rect r = control.rect;
    if (!control.parent.empty()) {
        if (const ControlSpec* frame = form.find(control.parent)) {
            r.left += frame->rect.left;
            r.top += frame->rect.top;
        }
    }
    return r;
}

const ControlSpec* hit_test(const FormSpec& form, int x, int y)
{
    for (const ControlSpec& c : form.controls) {
        if (!c.parent.empty() || !c.rect.contains(x, y)) continue;
        if (c.kind == ControlKind::Frame) {
            for (const ControlSpec& child : form.controls) {
                if (child.parent == c.name && child.rect.contains(x - c.rect.left, y - c.rect.top))
                    return &child;
            }
        }
        return &c;
    }
    return nullptr;
}

} // namespace ui
