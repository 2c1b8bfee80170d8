// Whole-file replacement on real files and where the program's own files are found.
#include "platform/files.h"
#include "support/native.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing_support::NativeFileSystem;
using testing_support::TempFolder;
using Files = std::map<std::string, std::string>;
using enum std::errc;

// Line ends, a GBK name and a NUL: the bytes must come back exactly, with nothing translated.
const std::string kNew = "[Game]\r\nPath=D:\\\xD3\xCE\xCF\xB7\r\nNul=\0\xFF\n"s;
const std::string kOld =
    "[Old]\r\nLonger than anything in the new content\r\n"s + std::string(200, 'x');
const std::string kFolder = "<folder>";

// Every entry with its bytes: equal snapshots also mean that no temporary file was left behind.
Files snapshot(const TempFolder& folder)
{
    Files contents;
    for (const std::string& name : folder.entries())
        contents[name] = folder.is_folder(name) ? kFolder : folder.read(name);
    return contents;
}

TEST(FileReplacement, WritesTheWholeFileOrRefusesAndLeavesTheFolderAsItWas)
{
    const struct {
        const char* what;
        Files before;
        bool read_only;
        std::string target;
        std::optional<std::errc> error;
        Files after;
    } cases[] = {
        // clang-format off
        {"new file", {}, false, "x.ini", {}, {{"x.ini", kNew}}},
        {"Chinese name", {}, false, "游戏.ini", {}, {{"游戏.ini", kNew}}},
        {"longer old file", {{"x.ini", kOld}}, false, "x.ini", {}, {{"x.ini", kNew}}},
        {"in a subfolder", {{"sub", kFolder}}, false, "sub/x.ini", {}, {{"sub", kFolder}, {"sub/x.ini", kNew}}},
        {"read-only file", {{"x.ini", kOld}}, true, "x.ini", permission_denied, {{"x.ini", kOld}}},
        {"folder in the way", {{"x.ini", kFolder}}, false, "x.ini", is_a_directory, {{"x.ini", kFolder}}},
        {"missing folder", {}, false, "missing/x.ini", no_such_file_or_directory, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        for (const auto& [name, bytes] : c.before) {
            if (bytes == kFolder)
                fs::create_directory(folder.file(name));
            else
                folder.write(name, bytes);
        }
        if (c.read_only) testing_support::make_read_only(folder.file("x.ini"));
        NativeFileSystem files("unused");

        // Joined with '/', which a user may type on Windows too; the program's own joins with
        // '\' run in the scenario tests.
        const std::error_code error =
            platform::replace_file(files, folder.path() + "/" + c.target, kNew);
        EXPECT_TRUE(c.error ? error == *c.error : !error) << error.message();
        EXPECT_EQ(snapshot(folder), c.after);
    }
}

#ifndef _WIN32
// The temporary file is created private; the settings file it becomes must not stay so.
TEST(FileReplacement, NewFileGetsThePermissionsOfAnyNewFile)
{
    TempFolder folder;
    NativeFileSystem files("unused");
    const mode_t saved = ::umask(027);
    const std::error_code error = platform::replace_file(files, folder.file("target.ini"), "x");
    ::umask(saved);

    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(fs::status(folder.file("target.ini")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram)
{
#ifdef _WIN32
    std::wstring module(32768, L'\0');
    module.resize(::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
    const fs::path program(module);
#else
    const fs::path program = fs::canonical("/proc/self/exe");
#endif
    const std::string folder = NativeFileSystem().program_folder();
    EXPECT_EQ(fs::path(std::u8string(folder.begin(), folder.end())), program.parent_path());
}

// A root keeps its separator and gets a second one: every platform takes the pair, so nothing
// need look for the first.
TEST(ProgramFile, JoinsTheFolderAndTheNameWithoutLookingAtEither)
{
    const std::pair<const char*, const char*> cases[] = {
#ifdef _WIN32
        {"C:\\Games\\Korvane", "C:\\Games\\Korvane\\x.ini"},
        {"C:\\", "C:\\\\x.ini"},
#else
        {"/opt/game", "/opt/game/x.ini"},
        {"/", "//x.ini"},
#endif
    };
    for (const auto& [folder, file] : cases) {
        EXPECT_EQ(platform::program_file(NativeFileSystem(folder), "x.ini"), file) << folder;
    }
}

#ifdef _WIN32
// A bare "C:" would name the drive's current folder, not its root.
TEST(ProgramFolder, IsThePathUpToTheLastBackslashButKeepsADrivesRoot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Games\\Korvane\\skirmishcfg.exe", "C:\\Games\\Korvane"},
        {"C:\\skirmishcfg.exe", "C:\\"},
        {"\\\\server\\share\\skirmishcfg.exe", "\\\\server\\share"},
        {"\\\\?\\C:\\skirmishcfg.exe", "\\\\?\\C:\\"},
        {"", "."}, // the system could not name the program
    };
    for (const auto& [program, folder] : cases) {
        EXPECT_EQ(platform::folder_of_program(program), folder) << program;
    }
}
#endif

} // namespace
