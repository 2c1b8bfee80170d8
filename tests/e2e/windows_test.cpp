// The four windows as the real program draws them, against their tables: caption, size, styles,
// every control's text, place and tool tip, and their stacking; and the tips under the pointer.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "ui/twips.h"
#include "settings/main_window.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace e2e;

TEST(Windows, EachIsDrawnFromItsTable)
{
    const std::pair<const ui::FormSpec*, const char*> cases[] = {
        // The main window's button that shows the window; nullptr for the main window.
        {&settings::kForm1, nullptr},
        {&info::kForm3, "Command3"},
        {&info::kForm2, "Command4"},
        {&location::kForm4, "Command2"},
    };
    for (const auto& [table, opener] : cases) {
        SCOPED_TRACE(std::string(table->name));
        Program p;
        if (opener != nullptr) click(control(p.main(), settings::kForm1, opener));
        const HWND form = p.form(table->caption);
        const int dpi = dpi_of(form);
        auto px = [dpi](int twips) { return ui::twips_to_pixels(twips, dpi); };

        RECT client{};
        ::GetClientRect(form, &client);
        EXPECT_EQ(client.right, px(table->client_width));
        EXPECT_EQ(client.bottom, px(table->client_height));
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
            // Inside a frame, the place is the frame's and then the control's within it.
            const ui::ControlSpec* frame = table->find(c.parent);
            const int left = c.rect.left + (frame != nullptr ? frame->rect.left : 0);
            const int top = c.rect.top + (frame != nullptr ? frame->rect.top : 0);
            RECT r{};
            ::GetWindowRect(h, &r);
            ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                      (std::array<LONG, 4>{px(left), px(top), px(left + c.rect.width),
                                           px(top + c.rect.height)}));
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
    }
}

TEST(Windows, AToolTipShowsWhereThePointerRests)
{
    // A button, a check box, a number box and its label: each kind of control that has a tip.
    Program p;
    for (const char* name : {"Command4", "Check3", "Text2", "Label4"}) {
        SCOPED_TRACE(name);
        const ui::ControlSpec* spec = settings::kForm1.find(name);
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(p.tool_tip_over(p.main(), control(p.main(), settings::kForm1, name)),
                  std::string(spec->tooltip));
    }
}

} // namespace
