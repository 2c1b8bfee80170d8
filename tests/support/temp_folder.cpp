// A scratch folder per test, so that tests work on real files without seeing each other's.
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace testing_support {

namespace fs = std::filesystem;

namespace {

std::string system_temp_folder()
{
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
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

} // namespace

TempFolder::TempFolder()
{
    std::string pattern = system_temp_folder() + "/skirmishcfg_test.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    make_writable(path_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::file(std::string_view name) const
{
    return path_ + "/" + std::string(name);
}

void TempFolder::write(std::string_view name, std::string_view bytes) const
{
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
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
    if (fs::is_regular_file(file(name), error)) {
        in.open(file(name), std::ios::binary);
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
    return fs::exists(fs::symlink_status(file(name), ignored));
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        names.push_back(it->path().lexically_relative(path_).generic_string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testing_support
