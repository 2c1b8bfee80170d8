// The four windows as the real program draws them, against their tables: caption, size, styles,
// every control's text, place and tool tip, and their stacking; and tips under the pointer.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "ui/form_rules.h"
#include "ui/twips.h"
#include "settings/main_window.h"

#include <array>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace e2e;

TEST(Windows, EachIsDrawnFromItsTable)
{
    // The table; the main window's button that shows the window, none for the main window; the
    // controls whose tips show where the pointer rests on them: a button, a check box, a number
    // box and its label, each kind of control that has a tip.
    const std::tuple<const ui::FormSpec*, const char*, std::vector<const char*>> cases[] = {
        {&settings::kForm1, nullptr, {"Command4", "Check3", "Text2", "Label4"}},
        {&info::kForm3, "Command3", {}},
        {&info::kForm2, "Command4", {}},
        {&location::kForm4, "Command2", {}},
    };
    for (const auto& [table, opener, hovered] : cases) {
        SCOPED_TRACE(std::string(table->name));
        Program p;
        if (opener != nullptr) click(control(p.main(), settings::kForm1, opener));
        const HWND form = p.form(table->caption);
        const int dpi = static_cast<int>(::GetDpiForWindow(form));

        RECT client{};
        ::GetClientRect(form, &client);
        EXPECT_EQ(client.right, ui::twips_to_pixels(table->client_width, dpi));
        EXPECT_EQ(client.bottom, ui::twips_to_pixels(table->client_height, dpi));
        const LONG_PTR style = ::GetWindowLongPtrW(form, GWL_STYLE);
        EXPECT_EQ(style &
                      (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                  WS_CAPTION);
        EXPECT_EQ(::GetWindowLongPtrW(form, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW),
                  table->border == ui::Border::FixedSingle ? WS_EX_APPWINDOW
                                                                 : WS_EX_TOOLWINDOW);

        std::map<HWND, std::string> tips;
        std::vector<HWND> table_order;
        for (const ui::ControlSpec& c : table->controls) {
            SCOPED_TRACE(std::string(c.name));
            const HWND h = control(form, *table, c.name);
            ASSERT_NE(h, nullptr);
            // The strip is named by its movie's file, for screen readers.
            EXPECT_EQ(text(h), c.kind == ui::ControlKind::Movie
                                   ? std::string(info::kMovieFileName)
                                   : std::string(c.text));
            // Where the table puts it (ui::pixel_rect, unit-tested: inside its frame, edges
            // rounded).
            const ui::Rect place = ui::pixel_rect(*table, c, dpi);
            RECT r{};
            ::GetWindowRect(h, &r);
            ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                      (std::array<LONG, 4>{place.left, place.top, place.width, place.height}));
            if (c.max_length > 0) {
                EXPECT_EQ(::SendMessageW(h, EM_GETLIMITTEXT, 0, 0), c.max_length);
            }
            if (!c.tooltip.empty()) tips[h] = c.tooltip;
            table_order.push_back(h);
        }
        EXPECT_EQ(p.tool_tips(form), tips);
        // Overlapping controls paint and take clicks from the top of the z-order down, which is
        // the table's order.
        std::vector<HWND> stacked;
        for (HWND h = ::GetWindow(form, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            stacked.push_back(h);
        EXPECT_EQ(stacked, table_order);
        for (const char* name : hovered) {
            SCOPED_TRACE(name);
            const HWND h = control(form, *table, name);
            EXPECT_EQ(p.tool_tip_over(form, h), tips.at(h));
        }
    }
}

} // namespace
