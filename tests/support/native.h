// The platform's own file system and GBK code page, so that one test source serves both platforms.
#pragma once

#include "platform/native_file_system.h"

#include <string>

#ifdef _WIN32
#include "platform/win32/ansi_code_page.h"
#else
#include "platform/posix/iconv_code_page.h"
#endif

namespace testing_support {

using platform::NativeFileSystem;

#ifdef _WIN32
using NativeCodePage = platform::AnsiCodePage;
inline constexpr char kSeparator = '\\';
// The ANSI code page of Simplified-Chinese Windows.
inline constexpr int kGbk = 936;
#else
using NativeCodePage = platform::IconvCodePage;
inline constexpr char kSeparator = '/';
inline constexpr const char* kGbk = "GBK";
#endif

inline NativeCodePage gbk_code_page()
{
    return NativeCodePage(kGbk);
}

// Marks a file read-only the way a user would on the platform (no write bits, or the read-only
// attribute); a failure is recorded as a test failure.
void make_read_only(const std::string& path);

} // namespace testing_support
