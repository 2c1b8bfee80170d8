// What only Windows files have: drive roots, backslashes, the module's own name.
#include "platform/files.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

using platform::Win32FileSystem;
using testing_support::TempFolder;

TEST(Win32FileSystem, ProgramFolderIsThePathUpToTheLastBackslashButKeepsADrivesRoot)
{
    const struct {
        const char* program;
        const char* folder;
    } cases[] = {
        {"C:\\Games\\Korvane\\skirmishcfg.exe", "C:\\Games\\Korvane"},
        {"C:\\skirmishcfg.exe", "C:\\"},
        {"\\\\server\\share\\skirmishcfg.exe", "\\\\server\\share"},
        {"\\\\?\\C:\\skirmishcfg.exe", "\\\\?\\C:\\"},
        {"D:\\游戏\\skirmishcfg.exe", "D:\\游戏"},
        {"", "."}, // the system could not name the program
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(platform::folder_of_program(c.program), c.folder);
    }
}

TEST(Win32FileSystem, ProgramFileJoinsFolderAndNameWithABackslashAsTheyAre)
{
    const struct {
        const char* folder;
        const char* expected;
    } cases[] = {
        {"C:\\Games\\Korvane", "C:\\Games\\Korvane\\x.ini"},
        {"C:\\", "C:\\\\x.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const Win32FileSystem fs(c.folder);
        EXPECT_EQ(platform::program_file(fs, "x.ini"), c.expected);
    }
}

TEST(Win32FileSystem, ProgramFolderIsTheFolderOfTheRunningProgram)
{
    std::vector<wchar_t> module(32768);
    const DWORD length =
        ::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    ASSERT_GT(length, 0u);
    const std::filesystem::path program(std::wstring(module.data(), length));

    const Win32FileSystem fs;
    EXPECT_EQ(std::filesystem::path(platform::to_utf16(fs.program_folder())),
              program.parent_path());
}

// The interface's paths may come from a user, who can type '/' as well as '\'.
TEST(Win32FileSystem, ReplacesATargetNamedWithForwardSlashesInItsOwnFolder)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.file("sub"));
    Win32FileSystem fs("unused");

    const std::error_code error =
        platform::replace_file(fs, folder.path() + "/sub/target.ini", "x");

    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"sub", "sub/target.ini"}));
    EXPECT_EQ(folder.read("sub/target.ini"), "x");
}

} // namespace
