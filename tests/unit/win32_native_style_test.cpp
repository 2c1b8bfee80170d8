// The Windows program's window: its outer size is its client area in the table and its frame.
#include "platform/win32/native_style.h"

#include <gtest/gtest.h>

namespace {

constexpr ui::FormSpec kForm{.name = "Form9", .client_width = 75, .client_height = 50};

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
