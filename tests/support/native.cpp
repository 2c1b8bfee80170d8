// Marking a file read-only with the platform's own call.
#include "support/native.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/utf16.h"
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#endif

namespace testing_support {

void make_read_only(const std::string& path)
{
#ifdef _WIN32
    const std::wstring wide = platform::to_utf16(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !::SetFileAttributesW(wide.c_str(), attributes | FILE_ATTRIBUTE_READONLY)) {
        ADD_FAILURE() << "cannot make " << path << " read-only: error " << ::GetLastError();
    }
#else
    if (::chmod(path.c_str(), 0444) != 0) {
        ADD_FAILURE() << "cannot make " << path << " read-only: " << std::strerror(errno);
    }
#endif
}

} // namespace testing_support
