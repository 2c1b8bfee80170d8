// The keyboard and mouse rules that every front end shares, on a small window of their own.
#include "ui/form_rules.h"
#include "ui/keyboard.h"

#include <array>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

using ui::ControlKind;
using ui::ControlSpec;
using ui::FormSpec;

// z-order top first; tab positions deliberately not in that order. `Wide` lies under `Narrow`,
// `Ok` lies over the right end of `Link`, and `Inner` sits in `Group` at (100, 100) twips.
// clang-format off
constexpr std::array<ControlSpec, 9> kControls{{
    {.name = "Ok", .kind = ControlKind::Button, .text = "&OK", .rect = {600, 0, 300, 300}, .tab = 4, .default_button = true},
    {.name = "Browse", .kind = ControlKind::Button, .text = "&Browse", .rect = {0, 900, 300, 300}, .tab = 3},
    {.name = "Narrow", .kind = ControlKind::CheckBox, .text = "&Narrow", .rect = {300, 400, 200, 100}, .tab = 0},
    {.name = "Wide", .kind = ControlKind::CheckBox, .text = "Wide", .rect = {0, 400, 800, 100}, .tab = 2},
    {.name = "Caption", .kind = ControlKind::Label, .text = "&Path:", .rect = {0, 600, 200, 100}, .tab = 5},
    {.name = "Path", .kind = ControlKind::TextBox, .rect = {200, 600, 400, 100}, .tab = 6},
    {.name = "Link", .kind = ControlKind::LinkLabel, .rect = {0, 100, 800, 100}, .tab = 7},
    {.name = "Group", .kind = ControlKind::Frame, .rect = {100, 1300, 600, 400}},
    {.name = "Inner", .kind = ControlKind::CheckBox, .rect = {100, 100, 200, 100}, .tab = 1, .parent = "Group"},
}};
// clang-format on
constexpr FormSpec kForm{.name = "Test", .controls = kControls};

std::string name(const ControlSpec* c)
{
    return c != nullptr ? std::string(c->name) : "-";
}

// A window for the keyboard: what it does to the controls, in order.
struct Host final : ui::FocusHost {
    const ControlSpec* current = nullptr;
    std::set<std::string_view> unusable;
    std::string log;

    const ControlSpec* focused() const override { return current; }
    void focus(const ControlSpec* c) override { current = c, log += "focus " + name(c) + ";"; }
    void press(const ControlSpec* c) override { log += "press " + name(c) + ";"; }
    bool usable(const ControlSpec& c) const override { return !unusable.contains(c.name); }
};

TEST(Keyboard, TabWalksTheTableOrderAccessKeysAndEnterPressOrHandOnTheFocus)
{
    using K = ui::Key::Kind;
    struct Case {
        const char* from; // the focused control, "" for none
        ui::Key key;
        std::set<std::string_view> unusable;
        const char* done; // what the window saw; "" when the key is not the window's
    };
    const Case cases[] = {
        {"", {K::Tab}, {}, "focus Narrow;"},
        {"", {K::Tab, 0, true}, {}, "focus Path;"},
        {"Narrow", {K::Tab}, {}, "focus Inner;"},
        {"Inner", {K::Tab}, {}, "focus Wide;"},
        {"Ok", {K::Tab}, {}, "focus Path;"},
        {"Path", {K::Tab}, {}, "focus Narrow;"},
        {"Narrow", {K::Tab, 0, true}, {}, "focus Path;"},
        {"Path", {K::Tab, 0, true}, {}, "focus Ok;"},
        {"Narrow", {K::Tab}, {"Inner", "Wide"}, "focus Browse;"},
        {"Browse", {K::Tab, 0, true}, {"Inner", "Wide"}, "focus Narrow;"},
        {"Caption", {K::Tab}, {}, "focus Narrow;"}, // a label is not in the order
        {"", {K::Tab}, {"Ok", "Browse", "Narrow", "Wide", "Path", "Inner"}, "-"},
        {"Path", {K::Tab, 0, false, false, true}, {}, ""}, // Ctrl+Tab
        // Alt and an access key: buttons and check boxes take the focus and are clicked, a
        // label hands the focus on.
        {"Path", {K::Char, U'o', false, true}, {}, "focus Ok;press Ok;"},
        {"Path", {K::Char, U'O', true, true}, {}, "focus Ok;press Ok;"},
        {"", {K::Char, U'b', false, true}, {}, "focus Browse;press Browse;"},
        {"", {K::Char, U'n', false, true}, {}, "focus Narrow;press Narrow;"},
        {"Ok", {K::Char, U'p', false, true}, {}, "focus Path;"},
        {"", {K::Char, U'p', false, true}, {"Path"}, ""},
        {"", {K::Char, U'b', false, true}, {"Browse"}, ""},
        {"", {K::Char, U'x', false, true}, {}, ""},
        {"", {K::Char, U'w', false, true}, {}, ""},       // no '&' in its caption
        {"", {K::Char, U'o'}, {}, ""},                    // without Alt
        {"", {K::Char, U'o', false, true, true}, {}, ""}, // Ctrl+Alt
        // Enter: the focused button, else the default one.
        {"Browse", {K::Enter}, {}, "press Browse;"},
        {"Path", {K::Enter}, {}, "press Ok;"},
        {"", {K::Enter}, {}, "press Ok;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + std::to_string(static_cast<int>(c.key.kind)) +
                     static_cast<char>(c.key.ch) + (c.key.shift ? " shift" : ""));
        Host host;
        host.current = kForm.find(c.from);
        host.unusable = c.unusable;
        const bool handled = ui::handle_key(kForm, host, c.key);
        EXPECT_EQ(handled ? (host.log.empty() ? "-" : host.log) : "", c.done);
    }
    Host host;
    EXPECT_EQ(name(ui::first_focus(kForm, host)), "Narrow");
    EXPECT_EQ(name(ui::default_button(kForm, kForm.find("Browse"))), "Browse");
    EXPECT_EQ(name(ui::default_button(kForm, kForm.find("Path"))), "Ok");
}

TEST(FormRules, ClicksGoToTheTopMostControlAndIntoFrames)
{
    struct Case {
        int x, y;
        const char* hit;
    };
    const Case cases[] = {
        {350, 450, "Narrow"}, // over the wide box: the one above it takes the click
        {100, 450, "Wide"},   {750, 450, "Wide"},   {700, 150, "Ok"}, // the button over the link
        {100, 150, "Link"},   {250, 1450, "Inner"}, {650, 1650, "Group"}, {950, 950, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(name(ui::hit_test(kForm, c.x, c.y)), c.hit);
    }
    // In pixels (twips at 1440 dpi), inside the frame; edges are rounded, not sizes.
    const auto px = [](int control, int dpi) {
        const ui::Rect r = ui::pixel_rect(kForm, kControls[control], dpi);
        return std::array{r.left, r.top, r.width, r.height};
    };
    EXPECT_EQ(px(8, 1440), (std::array{200, 1400, 200, 100}));
    EXPECT_EQ(px(2, 120), (std::array{25, 33, 17, 9}));
}

} // namespace
