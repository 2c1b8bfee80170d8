// What a screen reader is told of the About window's movie strip: an animation, named after its
// movie. Asked of a strip made in this process: Wine hands no accessible object to another one.
#include "platform/win32/movie.h"

#include <oleacc.h>

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(Win32MovieStrip, IsAnAnimationNamedAfterItsMovie)
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
