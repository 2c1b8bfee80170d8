// The Windows program's fonts: each control's size, underline and character set, from its table.
#include "info/about_window.h"
#include "info/resources_window.h"
#include "platform/win32/display.h"
#include "settings/main_window.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32Fonts, ControlsGetTheSizeUnderlineAndCharacterSetOfTheirTable)
{
    struct Case {
        const ui::FormSpec* form;
        const char* control;
        UINT dpi;
        LONG height;
        BYTE underline;
        BYTE charset;
    };
    const Case cases[] = {
        {&info::kForm2, "Command3", 96, -12, FALSE, ANSI_CHARSET},
        {&info::kForm3, "Label1", 96, -12, TRUE, ANSI_CHARSET},
        {&info::kForm3, "Label13", 144, -18, TRUE, ANSI_CHARSET},
        {&info::kForm3, "Command6", 96, -12, FALSE, ANSI_CHARSET},
        {&settings::kForm1, "Text1", 96, -10, FALSE, DEFAULT_CHARSET},
        {&settings::kForm1, "Label1", 96, -12, FALSE, DEFAULT_CHARSET},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.form->name) + " " + c.control);
        const LOGFONTW lf = platform::logical_font(c.form->find(c.control)->font, c.dpi);
        EXPECT_EQ(lf.lfHeight, c.height);
        EXPECT_EQ(lf.lfUnderline, c.underline);
        EXPECT_EQ(lf.lfCharSet, c.charset);
    }
}

} // namespace
