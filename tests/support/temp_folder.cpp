// A scratch folder per test, so that tests work on real files without seeing each other's.
#include "support/temp_folder.h"

#include "support/native.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include "platform/win32/utf16.h"
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#endif

namespace testing_support {

namespace fs = std::filesystem;

namespace {

// Names are UTF-8 throughout the tests; a narrow std::string would be read in the ANSI code page
// on Windows, which garbles the Chinese file names.
fs::path to_path(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string generic_utf8(const fs::path& path)
{
    const std::u8string name = path.generic_u8string();
    return std::string(name.begin(), name.end());
}

#ifdef _WIN32

std::string make_temp_folder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "GetTempPathW");
    }
    // GetTempPathW ends with a backslash; the counter steps past folders left by others.
    const std::string base = platform::to_utf8(std::wstring_view(temp, length)) +
                             "skirmishcfg_test." + std::to_string(::GetCurrentProcessId()) + ".";
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = base + std::to_string(counter++);
        if (::CreateDirectoryW(platform::to_utf16(candidate).c_str(), nullptr)) {
            return candidate;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                            "CreateDirectoryW " + base);
}

void clear_read_only(const fs::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
}

// DeleteFile and RemoveDirectory refuse what carries the read-only attribute, which tests set.
void make_writable(const fs::path& root)
{
    std::error_code ignored;
    clear_read_only(root);
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        clear_read_only(it->path());
    }
}

#else

std::string make_temp_folder()
{
    const char* tmpdir = std::getenv("TMPDIR");
    std::string pattern = (tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp");
    pattern += "/skirmishcfg_test.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    return pattern;
}

// Tests make files and folders read-only; without the write bits back a folder's entries could
// not be removed by a user other than root.
void make_writable(const fs::path& root)
{
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }
}

#endif

} // namespace

TempFolder::TempFolder() : path_(make_temp_folder())
{
}

TempFolder::~TempFolder()
{
    make_writable(to_path(path_));
    std::error_code ignored;
    fs::remove_all(to_path(path_), ignored);
}

std::string TempFolder::file(std::string_view name) const
{
    std::string path = path_ + kSeparator + std::string(name);
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(path_.size()), path.end(), '/',
                 kSeparator);
    return path;
}

void TempFolder::write(std::string_view name, std::string_view bytes) const
{
    std::ofstream out(to_path(file(name)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        ADD_FAILURE() << "cannot write " << file(name);
    }
}

std::string TempFolder::read(std::string_view name) const
{
    // A folder opens as a stream and reads as empty, which would pass for an empty file.
    std::error_code error;
    std::ifstream in;
    if (fs::is_regular_file(to_path(file(name)), error)) {
        in.open(to_path(file(name)), std::ios::binary);
    }
    if (!in.is_open()) {
        ADD_FAILURE() << "cannot read " << file(name);
        return {};
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        ADD_FAILURE() << "cannot read " << file(name);
    }
    return bytes;
}

bool TempFolder::exists(std::string_view name) const
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(to_path(file(name)), ignored));
}

bool TempFolder::is_folder(std::string_view name) const
{
    std::error_code ignored;
    return fs::is_directory(to_path(file(name)), ignored);
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    std::error_code ignored;
    const fs::path root = to_path(path_);
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        names.push_back(generic_utf8(it->path().lexically_relative(root)));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testing_support
