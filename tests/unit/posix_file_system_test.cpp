// What only POSIX files have: the program's folder from /proc, the root "/", and the umask.
#include "platform/files.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

using platform::PosixFileSystem;
using testing_support::TempFolder;

TEST(PosixFileSystem, NewFileGetsThePermissionsOfAnyNewFile)
{
    TempFolder folder;
    PosixFileSystem fs("/unused");

    const mode_t saved = ::umask(027);
    const std::error_code error = platform::replace_file(fs, folder.file("target.ini"), "x");
    ::umask(saved);

    EXPECT_FALSE(error) << error.message();
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("target.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(PosixFileSystem, ProgramFileJoinsFolderAndNameWithTheSeparatorAsTheyAre)
{
    const struct {
        const char* folder;
        const char* expected;
    } cases[] = {
        {"/opt/game", "/opt/game/x.ini"},
        {"/", "//x.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const PosixFileSystem fs(c.folder);
        EXPECT_EQ(platform::program_file(fs, "x.ini"), c.expected);
    }
}

TEST(PosixFileSystem, ProgramFolderIsTheFolderOfTheRunningProgram)
{
    const PosixFileSystem fs;
    EXPECT_EQ(fs.program_folder(),
              std::filesystem::canonical("/proc/self/exe").parent_path().string());
}

} // namespace
