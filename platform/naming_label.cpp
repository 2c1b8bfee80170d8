// The label that names a text box: the nearest one on its left in the same row, else the nearest
// one above it, as dialogs are read.
#include "platform/naming_label.h"

#include "platform/form_rules.h"

namespace platform {
namespace {

bool rows_overlap(const Rect& a, const Rect& b)
{
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

bool columns_overlap(const Rect& a, const Rect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width;
}

} // namespace

const ControlSpec* naming_label(const FormSpec& form, const ControlSpec& box)
{
    const Rect at = absolute_rect(form, box);
    const ControlSpec* beside = nullptr;
    const ControlSpec* above = nullptr;
    int beside_right = 0;
    int above_bottom = 0;
    for (const ControlSpec& c : form.controls) {
        if (c.kind != ControlKind::Label || c.text.empty()) continue;
        const Rect r = absolute_rect(form, c);
        // A caption that begins at the box's left and runs past it (a unit after the box) is
        // not its name: only one whose middle lies left of the box.
        if (rows_overlap(r, at) && 2 * r.left + r.width < 2 * at.left) {
            if (beside == nullptr || r.left + r.width > beside_right) {
                beside = &c;
                beside_right = r.left + r.width;
            }
        } else if (columns_overlap(r, at) && r.top + r.height <= at.top + at.height / 2) {
            if (above == nullptr || r.top + r.height > above_bottom) {
                above = &c;
                above_bottom = r.top + r.height;
            }
        }
    }
    return beside != nullptr ? beside : above;
}

} // namespace platform
