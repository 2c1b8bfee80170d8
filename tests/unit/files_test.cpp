// Whole-file replacement and copying on real files: the new bytes exactly, or the old ones intact.
#include "platform/files.h"
#include "support/faulty_file_system.h"
#include "support/native.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

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
using testing_support::FaultyFileSystem;
using testing_support::NativeFileSystem;
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
        contents[name] = folder.is_folder(name) ? kFolder : folder.read(name);
    }
    return contents;
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
    const auto nothing = [](const TempFolder&) {};
    const auto old_file = [](const TempFolder& folder) { folder.write("target.ini", kOldBytes); };
    const auto read_only = [](const TempFolder& folder) {
        folder.write("target.ini", kOldBytes);
        testing_support::make_read_only(folder.file("target.ini"));
    };
    const auto folder_in_the_way = [](const TempFolder& folder) {
        std::filesystem::create_directory(folder.file("target.ini"));
    };
    // clang-format off
    const Case cases[] = {
        {"new file", nothing, "target.ini", kNewBytes, std::nullopt, {{"target.ini", kNewBytes}}},
        {"Chinese name", nothing, "游戏.ini", kNewBytes, std::nullopt, {{"游戏.ini", kNewBytes}}},
        {"longer old file is replaced whole", old_file, "target.ini", kNewBytes, std::nullopt, {{"target.ini", kNewBytes}}},
        {"empty content empties the file", old_file, "target.ini", "", std::nullopt, {{"target.ini", ""}}},
        {"read-only file", read_only, "target.ini", kNewBytes, std::errc::permission_denied, {{"target.ini", kOldBytes}}},
        {"folder in the way", folder_in_the_way, "target.ini", kNewBytes, std::errc::is_a_directory, {{"target.ini", kFolder}}},
        {"missing folder", nothing, "missing/target.ini", kNewBytes, std::errc::no_such_file_or_directory, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        c.arrange(folder);
        NativeFileSystem fs("unused");

        expect_result(platform::replace_file(fs, folder.file(c.target), c.bytes), c.error);
        EXPECT_EQ(snapshot(folder), c.after);
    }
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
    const std::map<std::string, std::string> old_copy{{"copy.ini", kOldBytes}};
    const std::map<std::string, std::string> source{{"source.ini", kNewBytes}};
    const std::map<std::string, std::string> copied{{"copy.ini", kNewBytes},
                                                    {"source.ini", kNewBytes}};
    // clang-format off
    const Case cases[] = {
        {"to a new file", source, "source.ini", "copy.ini", std::nullopt, copied},
        {"over a longer file", {{"copy.ini", kOldBytes}, {"source.ini", kNewBytes}}, "source.ini", "copy.ini", std::nullopt, copied},
        {"onto itself", source, "source.ini", "source.ini", std::nullopt, source},
        {"from a missing file", old_copy, "source.ini", "copy.ini", std::errc::no_such_file_or_directory, old_copy},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        for (const auto& [name, bytes] : c.before) folder.write(name, bytes);
        NativeFileSystem fs("unused");

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
        NativeFileSystem real("unused");
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

} // namespace
