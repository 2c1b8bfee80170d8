// The platform's own file system and GBK code page, so that one test source serves both platforms.
#pragma once

#include <string>

#ifdef _WIN32
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_file_system.h"
#else
#include "platform/posix/iconv_code_page.h"
#include "platform/posix/posix_file_system.h"
#endif

namespace testing_support {

#ifdef _WIN32
using NativeFileSystem = platform::Win32FileSystem;
using NativeCodePage = platform::AnsiCodePage;
inline constexpr char kSeparator = '\\';
// 936 is the ANSI code page of Simplified-Chinese Windows: GBK.
inline NativeCodePage gbk_code_page()
{
    return NativeCodePage(936);
}
#else
using NativeFileSystem = platform::PosixFileSystem;
using NativeCodePage = platform::IconvCodePage;
inline constexpr char kSeparator = '/';
inline NativeCodePage gbk_code_page()
{
    return NativeCodePage("GBK");
}
#endif

// Marks a file read-only the way a user would on the platform (no write bits, or the read-only
// attribute); a failure is recorded as a test failure.
void make_read_only(const std::string& path);

} // namespace testing_support
