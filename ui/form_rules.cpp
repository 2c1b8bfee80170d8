// Where the controls of every window lie.
#include "ui/form_rules.h"

#include "ui/twips.h"

namespace ui {

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

Rect pixel_rect(const FormSpec& form, const ControlSpec& control, int dpi)
{
    const Rect r = absolute_rect(form, control);
    const int left = twips_to_pixels(r.left, dpi);
    const int top = twips_to_pixels(r.top, dpi);
    return {left, top, twips_to_pixels(r.left + r.width, dpi) - left,
            twips_to_pixels(r.top + r.height, dpi) - top};
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
