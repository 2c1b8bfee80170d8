// What the text windows of the benchmarks draw: a window table's captions and initial texts, one
// line each, grouped by font in the order the fonts first appear.
#pragma once

#include "ui/form_table.h"

#include <string>
#include <vector>

namespace bench {

struct TextRun {
    ui::Font font;
    std::string text; // UTF-8, a line per control
};

inline std::vector<TextRun> text_by_font(const ui::FormSpec& form)
{
    std::vector<TextRun> runs;
    for (const ui::ControlSpec& c : form.controls) {
        if (c.text.empty()) continue;
        TextRun* run = nullptr;
        for (TextRun& r : runs) {
            if (r.font.face == c.font.face && r.font.tenth_points == c.font.tenth_points) run = &r;
        }
        if (run == nullptr) run = &runs.emplace_back(TextRun{c.font, {}});
        run->text.append(c.text).append("\n");
    }
    return runs;
}

} // namespace bench
