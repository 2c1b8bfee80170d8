// The four windows as the real program draws them, against their tables: caption, size, styles,
// and every control's kind, text, place, tool tip and place in the keyboard order.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "platform/twips.h"
#include "settings/main_window.h"

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

namespace {

using namespace e2e;
using platform::ControlKind;
using platform::ControlSpec;
using platform::FormSpec;

constexpr LONG_PTR kAnyType = -1;

// The window class a control of each kind is made of, and its button or static type.
std::pair<std::wstring, LONG_PTR> made_of(const ControlSpec& c)
{
    switch (c.kind) {
    case ControlKind::Button:
        return {L"Button", c.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON};
    case ControlKind::CheckBox: return {L"Button", BS_AUTOCHECKBOX};
    case ControlKind::Frame: return {L"Button", BS_GROUPBOX};
    case ControlKind::TextBox: return {L"Edit", kAnyType};
    case ControlKind::Label:
    case ControlKind::LinkLabel:
        return {L"Static", c.align == platform::Align::Right ? SS_RIGHT : SS_LEFT};
    case ControlKind::Picture: return {L"Static", SS_OWNERDRAW};
    case ControlKind::Movie: return {L"SkirmishMovieStrip", kAnyType};
    }
    return {};
}

// Controls that Tab visits, in the table's keyboard order.
std::vector<std::size_t> tab_order(const FormSpec& table)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < table.controls.size(); ++i) {
        const ControlSpec& c = table.controls[i];
        if (platform::takes_focus(c.kind) && c.tab != platform::kNoTab) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return table.controls[a].tab < table.controls[b].tab;
    });
    return order;
}

HWND nth(HWND form, std::size_t index)
{
    return ::GetDlgItem(form, 1000 + static_cast<int>(index));
}

void expect_controls(const Program& p, HWND form, const FormSpec& table)
{
    const int dpi = dpi_of(form);
    auto px = [dpi](int twips) { return platform::twips_to_pixels(twips, dpi); };
    const std::map<HWND, std::string> tips = p.tool_tips(form);
    std::size_t with_tips = 0;
    for (std::size_t i = 0; i < table.controls.size(); ++i) {
        const ControlSpec& c = table.controls[i];
        SCOPED_TRACE(std::string(c.name));
        const HWND h = nth(form, i);
        ASSERT_NE(h, nullptr);
        const auto [window_class, type] = made_of(c);
        EXPECT_EQ(to_utf8(class_of(h)), to_utf8(window_class));
        if (type != kAnyType) {
            const LONG_PTR mask = window_class == L"Button" ? BS_TYPEMASK : SS_TYPEMASK;
            EXPECT_EQ(::GetWindowLongPtrW(h, GWL_STYLE) & mask, type);
        }
        if (c.kind != ControlKind::Movie) {
            EXPECT_EQ(text(h), c.text);
        }
        if (c.kind == ControlKind::CheckBox) {
            EXPECT_EQ(::SendMessageW(h, BM_GETCHECK, 0, 0),
                      c.checked ? BST_CHECKED : BST_UNCHECKED);
        }
        if (c.kind == ControlKind::TextBox && c.max_length > 0) {
            EXPECT_EQ(::SendMessageW(h, EM_GETLIMITTEXT, 0, 0), c.max_length);
        }

        int left = c.rect.left, top = c.rect.top;
        if (const ControlSpec* frame = table.find(c.parent)) {
            left += frame->rect.left;
            top += frame->rect.top;
        }
        const RECT r = rect_in_parent(h);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                  (std::array<LONG, 4>{px(left), px(top), px(left + c.rect.width),
                                       px(top + c.rect.height)}));

        const auto tip = tips.find(h);
        EXPECT_EQ(tip == tips.end() ? std::string() : tip->second, c.tooltip);
        with_tips += c.tooltip.empty() ? 0 : 1;
    }
    EXPECT_EQ(tips.size(), with_tips);
}

TEST(Windows, EachIsDrawnFromItsTable)
{
    struct Case {
        const FormSpec* table;
        const char* opener; // the main window's button that shows it; nullptr for the main window
    };
    const Case cases[] = {
        {&settings::kForm1, nullptr},
        {&info::kForm3, "Command3"},
        {&info::kForm2, "Command4"},
        {&location::kForm4, "Command2"},
    };
    for (const Case& c : cases) {
        const FormSpec& table = *c.table;
        SCOPED_TRACE(std::string(table.name));
        Program p;
        if (c.opener != nullptr) click(control(p.main(), settings::kForm1, c.opener));
        const HWND form = p.form(table.caption);

        const int dpi = dpi_of(form);
        RECT client{};
        ::GetClientRect(form, &client);
        EXPECT_EQ(client.right, platform::twips_to_pixels(table.client_width, dpi));
        EXPECT_EQ(client.bottom, platform::twips_to_pixels(table.client_height, dpi));
        const LONG_PTR style = ::GetWindowLongPtrW(form, GWL_STYLE);
        EXPECT_EQ(style &
                      (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                  WS_CAPTION);
        EXPECT_EQ(::GetWindowLongPtrW(form, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW),
                  table.border == platform::Border::FixedSingle ? WS_EX_APPWINDOW
                                                                : WS_EX_TOOLWINDOW);
        expect_controls(p, form, table);

        // The first show puts the focus on the first control in keyboard order; Tab goes round.
        const std::vector<std::size_t> order = tab_order(table);
        for (std::size_t step = 0; step <= order.size(); ++step) {
            const std::size_t expected = order[step % order.size()];
            if (step > 0) press(p.focus(form), WM_KEYDOWN, VK_TAB);
            wait_for([&] { return p.focus(form) == nth(form, expected); },
                     "Tab to reach " + std::string(table.controls[expected].name));
        }
    }
}

} // namespace
