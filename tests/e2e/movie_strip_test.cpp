// The About window's movie strip as it shows on the screen: the movie, its pause and play, and
// the plain ground when there is no movie.
#include "e2e/driver.h"
#include "info/about_window.h"
#include "settings/main_window.h"
#include "support/frame_compare.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace e2e;
using testing_support::Image;

constexpr std::uint32_t kPlainGround = 0x3a1208;
// The strip's menu: its first item is Play, which Wine draws below a border of a few pixels.
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr int kFirstMenuItem = 10;

// The strip's pixels as they are on the screen, 0x00RRGGBB.
Image capture(HWND strip)
{
    RECT r{};
    ::GetClientRect(strip, &r);
    ::MapWindowPoints(strip, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    Image image{r.right - r.left, r.bottom - r.top, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, image.width, image.height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + image.width * image.height);
    for (std::uint32_t& p : image.pixels) p &= 0xffffff;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return image;
}

// The dotted focus rectangle just inside the edge, where the strip has the focus.
bool on_focus_ring(const Image& image, int x, int y)
{
    const bool across = x >= 1 && x <= image.width - 2;
    const bool down = y >= 1 && y <= image.height - 2;
    return (across && (y == 1 || y == image.height - 2)) ||
           (down && (x == 1 || x == image.width - 2));
}

// The frame with the reference's pixels on the focus ring, so that only the movie is compared.
testing_support::FrameDifference compare_movie(Image frame, const Image& reference)
{
    if (frame.width == reference.width && frame.height == reference.height) {
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                if (on_focus_ring(frame, x, y))
                    frame.pixels[y * frame.width + x] = reference.at(x, y);
    }
    return testing_support::compare_frames(frame, reference);
}

HWND open_strip(Program& p)
{
    click(control(p.main(), settings::kForm1, "Command4"));
    const HWND strip = control(p.form(info::kForm2.caption), info::kForm2, "SF");
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
        if (!present) ::DeleteFileW(to_utf16(p.path("tessel.swf")).c_str());
        const Image frame = capture(open_strip(p));
        ASSERT_EQ(frame.width * 96, 267 * dpi_of(p.main()));
        if (present) {
            const auto best = testing_support::closest_reference(
                frame, std::string("Z:") + MOVIE_REFERENCES + "/tessel", compare_movie);
            EXPECT_TRUE(best.difference.passes()) << best.difference;
            continue;
        }
        int off = 0;
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                off += !on_focus_ring(frame, x, y) && frame.at(x, y) != kPlainGround;
        EXPECT_EQ(off, 0);
    }
}

TEST(MovieStrip, PlayInTheMenuPausesAndPlaysOn)
{
    Program p;
    const HWND strip = open_strip(p);
    // The menu opens with a right click, or with the Menu key while the strip has the focus.
    auto toggle_play = [&](bool keyboard) {
        if (keyboard) {
            INPUT keys[2] = {};
            for (INPUT& key : keys) {
                key.type = INPUT_KEYBOARD;
                key.ki.wVk = VK_APPS;
            }
            keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(2, keys, sizeof(INPUT));
        } else {
            mouse_button(strip, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        }
        const HWND menu = wait_for(
            [] { return ::FindWindowW(kMenuClass, nullptr); }, "the strip's menu");
        wait_for([&] { return ::IsWindowVisible(menu); }, "the menu to show");
        mouse_button(menu, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, kFirstMenuItem);
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

} // namespace
