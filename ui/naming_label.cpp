// The label that names a text box: the one on its left that shares most of its row, else the
// nearest one above it, as dialogs are read.
#include "ui/naming_label.h"

#include "ui/form_rules.h"

#include <algorithm>

namespace ui {
namespace {

// How many twips of height two rectangles share.
int shared_rows(const Rect& a, const Rect& b)
{
    return std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
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
    int beside_shared = 0;
    int above_bottom = 0;
    for (const ControlSpec& c : form.controls) {
        if (c.kind != ControlKind::Label || c.text.empty()) continue;
        const Rect r = absolute_rect(form, c);
        // Labels of neighbouring rows may reach a little into the box's row: the one that
        // shares most of it is the box's own. A caption whose middle lies right of the box's
        // left edge (a unit after the box) names nothing.
        const int shared = shared_rows(r, at);
        if (shared > 0 && 2 * r.left + r.width < 2 * at.left) {
            if (beside == nullptr || shared > beside_shared) {
                beside = &c;
                beside_shared = shared;
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

} // namespace ui
