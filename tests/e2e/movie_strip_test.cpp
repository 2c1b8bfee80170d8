// The About window's movie strip as it shows on the screen: the movie, its pause and play, and
// the plain ground when there is no movie; and what a screen reader is told of it.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "platform/win32/movie.h"
#include "settings/main_window.h"
#include "support/frame_compare.h"

#include <oleacc.h>

#include <string>

#include <gtest/gtest.h>

namespace {

using namespace e2e;
using testing_support::Image;

constexpr std::uint32_t kPlainGround = 0x3a1208;
// The strip's menu: its first item is Play, which Wine draws below a border of a few pixels.
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr int kFirstMenuItem = 10;

// The strip, which opens with the focus; with `tab`, once Tab has taken the focus on to the next
// control, so that the strip draws no focus ring over the movie.
HWND open_strip(Program& p, bool tab = false)
{
    click(control(p.main(), settings::kForm1, "Command4"));
    const HWND strip = control(p.form(info::kForm2.caption), info::kForm2, "SF");
    const auto focused = [] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return ::GetGUIThreadInfo(0, &gui) ? gui.hwndFocus : nullptr;
    };
    if (tab) {
        wait_for([&] { return focused() == strip; }, "the strip to have the focus");
        ::keybd_event(VK_TAB, 0, 0, 0);
        ::keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
        wait_for([&] { return focused() != strip; }, "the focus to move on");
    }
    // Once a frame has been painted and the window has come to rest.
    p.wait_until_idle();
    ::Sleep(300);
    return strip;
}

TEST(MovieStrip, ShowsTheMovieOrThePlainGround)
{
    for (const bool present : {true, false}) {
        SCOPED_TRACE(present ? "tessel.swf" : "no movie");
        Program p;
        if (!present) ::DeleteFileW(to_utf16(p.folder.file("tessel.swf")).c_str());
        const Image frame = capture(open_strip(p, true));
        ASSERT_EQ(frame.width * 96, 267 * static_cast<int>(::GetDpiForWindow(p.main())));
        if (present) {
            const auto best = testing_support::closest_reference(
                frame, std::string("Z:") + MOVIE_REFERENCES + "/tessel");
            EXPECT_TRUE(best.difference.passes()) << best.difference;
        } else {
            EXPECT_EQ(frame.pixels, std::vector<std::uint32_t>(frame.pixels.size(), kPlainGround));
        }
    }
}

TEST(MovieStrip, PlayInTheMenuPausesAndPlaysOn)
{
    Program p;
    const HWND strip = open_strip(p);
    // The menu opens with a right click, or with the Menu key while the strip has the focus.
    auto toggle_play = [&](bool keyboard) {
        if (keyboard) {
            // Pressed and released through the system's input queue, as a user's key.
            ::keybd_event(VK_APPS, 0, 0, 0);
            ::keybd_event(VK_APPS, 0, KEYEVENTF_KEYUP, 0);
        } else {
            mouse_clicks(strip, 1, MOUSEEVENTF_RIGHTDOWN);
        }
        const HWND menu = shown_window(
            "the strip's menu", [](HWND h) { return h == ::FindWindowW(kMenuClass, nullptr); });
        mouse_clicks(menu, 1, MOUSEEVENTF_LEFTDOWN, kFirstMenuItem);
        wait_for([&] { return !::IsWindowVisible(menu); }, "the menu to go");
        p.wait_until_idle();
    };
    auto moving = [&] {
        const Image before = capture(strip);
        ::Sleep(500);
        return capture(strip).pixels != before.pixels;
    };
    ASSERT_TRUE(moving());
    toggle_play(false);
    EXPECT_FALSE(moving());
    toggle_play(true);
    EXPECT_TRUE(moving());
}

// An animation, named after its movie. Asked of a strip made in this process: Wine hands no
// accessible object to another one.
TEST(MovieStrip, IsAnAnimationNamedAfterItsMovie)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    platform::register_movie_strip(instance);
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 300, 100, nullptr,
                                          nullptr, instance, nullptr);
    const HWND strip = platform::create_movie_strip(parent, RECT{0, 0, 267, 49}, 1);
    ASSERT_NE(strip, nullptr);
    platform::set_movie_path(strip, L"C:\\nowhere\\tessel.swf");

    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    IAccessible* accessible = nullptr;
    ASSERT_TRUE(SUCCEEDED(::AccessibleObjectFromWindow(strip, static_cast<DWORD>(OBJID_CLIENT),
                                                       __uuidof(IAccessible),
                                                       reinterpret_cast<void**>(&accessible))));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    EXPECT_TRUE(SUCCEEDED(accessible->get_accRole(self, &role)));
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_ANIMATION);
    BSTR name = nullptr;
    EXPECT_TRUE(SUCCEEDED(accessible->get_accName(self, &name)));
    EXPECT_EQ(std::wstring(name != nullptr ? name : L""), L"tessel.swf");
    ::SysFreeString(name);
    accessible->Release();
    ::DestroyWindow(parent);
    ::CoUninitialize();
}

} // namespace
