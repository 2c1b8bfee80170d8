// The Windows program's controls at a DPI other than the one the windows were drawn at: edges
// are rounded, so that controls that touch in the table still touch on screen.
#include "platform/win32/native_style.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using ui::ControlKind;
using ui::ControlSpec;

// Two boxes side by side, 25 twips wide (2.5 pixels at 144 dpi), the second inside a frame.
constexpr std::array kControls{
    ControlSpec{.name = "Text1", .kind = ControlKind::TextBox, .rect = {0, 0, 25, 25}},
    ControlSpec{
        .name = "Text2", .kind = ControlKind::TextBox, .rect = {0, 0, 25, 25}, .parent = "Frame1"},
    ControlSpec{.name = "Frame1", .kind = ControlKind::Frame, .rect = {25, 0, 50, 50}},
};
constexpr ui::FormSpec kForm{
    .name = "Form9", .client_width = 75, .client_height = 50, .controls = kControls};

TEST(Win32NativeStyle, NeighboursInTheTableStayFlushWhereTwipsFallBetweenPixels)
{
    const RECT left = platform::control_bounds(kForm, kControls[0], 144);
    const RECT right = platform::control_bounds(kForm, kControls[1], 144);
    EXPECT_EQ(left.right, right.left);
    EXPECT_EQ(right.left, 3); // inside the frame: its 25 twips to the right
    EXPECT_EQ(right.right, 5);
    EXPECT_EQ(left.bottom, right.bottom);
}

TEST(Win32NativeStyle, TheWindowIsItsClientAreaAndItsFrame)
{
    const SIZE size = platform::form_size(kForm, 96);
    const platform::NativeStyle frame = platform::form_style(kForm);
    RECT expected{0, 0, 5, 3};
    ::AdjustWindowRectEx(&expected, frame.style, FALSE, frame.ex_style);
    EXPECT_EQ(size.cx, expected.right - expected.left);
    EXPECT_EQ(size.cy, expected.bottom - expected.top);
}

} // namespace
