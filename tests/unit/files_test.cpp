// Whole-file replacement and copying on real files: the new bytes exactly, or the old ones intact.
#include "platform/files.h"
#include "platform/posix/posix_file_system.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace std::string_literals;
using platform::FileSystem;
using platform::PosixFileSystem;
using testing_support::FaultyFileSystem;
using testing_support::TempFolder;

// Line ends, a GBK name and a NUL: the bytes must come back exactly, with nothing translated.
const std::string kNewBytes = "[Game]\r\nPath=D:\\\xD3\xCE\xCF\xB7\r\nNul=\0\xFF\n"s;
const std::string kOldBytes =
    "[Old]\r\nA line longer than anything in the new content\r\n"s + std::string(200, 'x');
const std::string kFolder = "<folder>";

// Every entry of the folder with its bytes (kFolder for a folder): equal snapshots mean the
// folder was left exactly as it was, without so much as a stray temporary file.
std::map<std::string, std::string> snapshot(const TempFolder& folder)
{
    std::map<std::string, std::string> contents;
    for (const std::string& name : folder.entries()) {
        contents[name] =
            std::filesystem::is_directory(folder.file(name)) ? kFolder : folder.read(name);
    }
    return contents;
}

void make_read_only(const TempFolder& folder, const std::string& name)
{
    ASSERT_EQ(::chmod(folder.file(name).c_str(), 0444), 0);
}

void expect_result(std::error_code error, std::optional<std::errc> expected)
{
    if (expected) {
        EXPECT_TRUE(error == *expected) << "got: " << error.message();
    } else {
        EXPECT_FALSE(error) << error.message();
    }
}

TEST(ReplaceFile, WritesTheWholeFileOrRefusesAndLeavesTheFolderAsItWas)
{
    struct Case {
        const char* what;
        std::function<void(const TempFolder&)> arrange;
        std::string target;
        std::string bytes;
        std::optional<std::errc> error;
        std::map<std::string, std::string> after;
    };
    const Case cases[] = {
        {"new file",
         [](const TempFolder&) {},
         "target.ini",
         kNewBytes,
         std::nullopt,
         {{"target.ini", kNewBytes}}},
        {"longer old file is replaced whole",
         [](const TempFolder& folder) { folder.write("target.ini", kOldBytes); },
         "target.ini",
         kNewBytes,
         std::nullopt,
         {{"target.ini", kNewBytes}}},
        {"empty content empties the file",
         [](const TempFolder& folder) { folder.write("target.ini", kOldBytes); },
         "target.ini",
         "",
         std::nullopt,
         {{"target.ini", ""}}},
        {"read-only file",
         [](const TempFolder& folder) {
             folder.write("target.ini", kOldBytes);
             make_read_only(folder, "target.ini");
         },
         "target.ini",
         kNewBytes,
         std::errc::permission_denied,
         {{"target.ini", kOldBytes}}},
        {"folder in the way",
         [](const TempFolder& folder) {
             std::filesystem::create_directory(folder.file("target.ini"));
         },
         "target.ini",
         kNewBytes,
         std::errc::is_a_directory,
         {{"target.ini", kFolder}}},
        {"missing folder",
         [](const TempFolder&) {},
         "missing/target.ini",
         kNewBytes,
         std::errc::no_such_file_or_directory,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        c.arrange(folder);
        PosixFileSystem fs("/unused");

        expect_result(platform::replace_file(fs, folder.file(c.target), c.bytes), c.error);
        EXPECT_EQ(snapshot(folder), c.after);
    }
}

TEST(ReplaceFile, NewFileGetsThePermissionsOfAnyNewFile)
{
    TempFolder folder;
    PosixFileSystem fs("/unused");

    const mode_t saved = ::umask(027);
    const std::error_code error = platform::replace_file(fs, folder.file("target.ini"), kNewBytes);
    ::umask(saved);

    EXPECT_FALSE(error) << error.message();
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("target.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(CopyOver, CopiesByteForByteOrLeavesTheDestinationAlone)
{
    struct Case {
        const char* what;
        std::map<std::string, std::string> before;
        std::string source;
        std::string destination;
        std::optional<std::errc> error;
        std::map<std::string, std::string> after;
    };
    const Case cases[] = {
        {"to a new file",
         {{"source.ini", kNewBytes}},
         "source.ini",
         "copy.ini",
         std::nullopt,
         {{"copy.ini", kNewBytes}, {"source.ini", kNewBytes}}},
        {"over a longer file",
         {{"copy.ini", kOldBytes}, {"source.ini", kNewBytes}},
         "source.ini",
         "copy.ini",
         std::nullopt,
         {{"copy.ini", kNewBytes}, {"source.ini", kNewBytes}}},
        {"onto itself",
         {{"source.ini", kNewBytes}},
         "source.ini",
         "source.ini",
         std::nullopt,
         {{"source.ini", kNewBytes}}},
        {"from a missing file",
         {{"copy.ini", kOldBytes}},
         "source.ini",
         "copy.ini",
         std::errc::no_such_file_or_directory,
         {{"copy.ini", kOldBytes}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        for (const auto& [name, bytes] : c.before) {
            folder.write(name, bytes);
        }
        PosixFileSystem fs("/unused");

        expect_result(platform::copy_over(fs, folder.file(c.source), folder.file(c.destination)),
                      c.error);
        EXPECT_EQ(snapshot(folder), c.after);
    }
}

TEST(FileFaults, AFailureAtAnyStepLeavesTheOldFileAndNoTemporary)
{
    struct Case {
        const char* what;
        std::function<std::error_code(FileSystem&, const TempFolder&)> run;
        // Pins down that every step, the flush to disk included, is taken and so was failed.
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {"replace_file",
         [](FileSystem& fs, const TempFolder& folder) {
             return platform::replace_file(fs, folder.file("target.ini"), kNewBytes);
         },
         {"replaceable", "open", "write", "flush", "close", "rename"}},
        {"copy_over",
         [](FileSystem& fs, const TempFolder& folder) {
             return platform::copy_over(fs, folder.file("source.ini"), folder.file("target.ini"));
         },
         {"read", "replaceable", "open", "write", "flush", "close", "rename"}},
    };
    const auto arrange = [](const TempFolder& folder) {
        folder.write("target.ini", kOldBytes);
        folder.write("source.ini", kNewBytes);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PosixFileSystem real("/unused");
        FaultyFileSystem faulty(real);
        std::vector<std::string> steps;
        {
            TempFolder folder;
            arrange(folder);
            faulty.fail_call(-1);
            EXPECT_FALSE(c.run(faulty, folder));
            EXPECT_EQ(folder.read("target.ini"), kNewBytes);
            for (testing_support::FileOp op : faulty.calls()) {
                steps.emplace_back(testing_support::to_string(op));
            }
            EXPECT_EQ(steps, c.steps);
        }
        for (std::size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE("failing " + steps[i]);
            TempFolder folder;
            arrange(folder);
            const auto before = snapshot(folder);
            faulty.fail_call(static_cast<int>(i));

            const std::error_code error = c.run(faulty, folder);
            EXPECT_TRUE(error == std::errc::io_error) << "got: " << error.message();
            EXPECT_EQ(snapshot(folder), before);
        }
    }
}

TEST(ProgramFile, JoinsFolderAndNameWithTheSeparatorAsTheyAre)
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
