// A scratch folder per test, so that tests work on real files without seeing each other's.
#include "support/temp_folder.h"

#include "support/native.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {
namespace fs = std::filesystem;
namespace {

// Names are UTF-8 throughout the tests; a narrow path would be read in the ANSI code page on
// Windows, which garbles the Chinese file names.
fs::path to_path(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string to_utf8(const std::u8string& name)
{
    return std::string(name.begin(), name.end());
}

std::string make_temp_folder()
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    for (;;) {
        const fs::path candidate = fs::temp_directory_path() /
                                   ("skirmishcfg_test." + stamp + "." + std::to_string(counter++));
        if (fs::create_directory(candidate)) return to_utf8(candidate.u8string());
    }
}

} // namespace

void make_read_only(const std::string& path)
{
    std::error_code error;
    fs::permissions(to_path(path),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, error);
    if (error) ADD_FAILURE() << "cannot make " << path << " read-only: " << error.message();
}

TempFolder::TempFolder() : path_(make_temp_folder())
{
}

TempFolder::~TempFolder()
{
    // Windows will not remove a read-only file.
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(to_path(path_), ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(to_path(path_), ignored);
}

std::string TempFolder::file(std::string_view name) const
{
    std::string relative(name);
    std::replace(relative.begin(), relative.end(), '/', kSeparator);
    return path_ + kSeparator + relative;
}

void TempFolder::write(std::string_view name, std::string_view bytes) const
{
    std::ofstream out(to_path(file(name)), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << file(name);
}

std::string TempFolder::read(std::string_view name) const
{
    // A folder opens as a stream and reads as empty, which would pass for an empty file.
    std::ifstream in;
    if (!is_folder(name)) in.open(to_path(file(name)), std::ios::binary);
    if (!in.is_open()) ADD_FAILURE() << "cannot read " << file(name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
        names.push_back(to_utf8(it->path().lexically_relative(root).generic_u8string()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testing_support
