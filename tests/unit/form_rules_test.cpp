// The keyboard and mouse rules that every front end shares, on a small window of their own.
#include "ui/form_rules.h"

#include <array>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

using ui::ControlKind;
using ui::ControlSpec;
using ui::FormSpec;
using ui::KeyAction;

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

ui::Usable all_but(std::set<std::string_view> unusable)
{
    return [unusable](const ControlSpec& c) { return !unusable.contains(c.name); };
}

TEST(FormRules, TabWalksTheTableOrderWrappingAndSkippingWhatCannotTakeTheFocus)
{
    struct Case {
        const char* from;
        bool backwards;
        std::set<std::string_view> unusable;
        const char* to;
    };
    const Case cases[] = {
        {"", false, {}, "Narrow"},
        {"", true, {}, "Path"},
        {"Narrow", false, {}, "Inner"},
        {"Inner", false, {}, "Wide"},
        {"Ok", false, {}, "Path"},
        {"Path", false, {}, "Narrow"},
        {"Narrow", true, {}, "Path"},
        {"Path", true, {}, "Ok"},
        {"Narrow", false, {"Inner", "Wide"}, "Browse"},
        {"Browse", true, {"Inner", "Wide"}, "Narrow"},
        {"Caption", false, {}, "Narrow"}, // a label is not in the order
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + (c.backwards ? " back" : " forward"));
        EXPECT_EQ(name(ui::next_in_order(kForm, c.from, c.backwards, all_but(c.unusable))),
                  c.to);
    }
    EXPECT_EQ(ui::next_in_order(kForm, "", false,
                                      all_but({"Ok", "Browse", "Narrow", "Wide", "Path", "Inner"})),
              nullptr);
}

TEST(FormRules, AccessKeysClickButtonsAndCheckBoxesAndLabelsHandOnTheFocus)
{
    struct Case {
        char32_t key;
        std::set<std::string_view> unusable;
        const char* expected; // "click X", "focus X" or "-"
    };
    const Case cases[] = {
        {U'o', {}, "click Ok"},
        {U'O', {}, "click Ok"},
        {U'b', {}, "click Browse"},
        {U'n', {}, "click Narrow"},
        {U'p', {}, "focus Path"},
        {U'p', {"Path"}, "-"},
        {U'b', {"Browse"}, "-"},
        {U'x', {}, "-"},
        {U'w', {}, "-"}, // no '&' in its caption
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.key));
        std::optional<KeyAction> action =
            ui::access_key_action(kForm, c.key, all_but(c.unusable));
        std::string got = "-";
        if (action) {
            got = (action->kind == KeyAction::Kind::Click ? "click " : "focus ") +
                  name(action->control);
        }
        EXPECT_EQ(got, c.expected);
    }
}

TEST(FormRules, EnterPressesTheFocusedButtonElseTheDefaultOne)
{
    EXPECT_EQ(name(ui::enter_target(kForm, "Browse")), "Browse");
    EXPECT_EQ(name(ui::enter_target(kForm, "Path")), "Ok");
    EXPECT_EQ(name(ui::enter_target(kForm, "")), "Ok");
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
    const ui::Rect inner = ui::absolute_rect(kForm, kControls[8]);
    EXPECT_EQ((std::array{inner.left, inner.top, inner.width, inner.height}),
              (std::array{200, 1400, 200, 100}));
}

} // namespace
