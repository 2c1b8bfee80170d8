// Any file operation of the generate click may fail: the click then says so with its one box,
// leaves no half-written file anywhere, and the next click works.
#include "support/harness.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

namespace {

using testing_support::HeadlessDesktop;
using testing_support::FileOp;
using testing_support::Harness;
using testing_support::kDefaultSettingsFile;

constexpr auto kYes = ui::Answer::Yes;
constexpr const char* kGameFile = "game/svrcfg_skirmish.ini";
constexpr const char* kOldGameFile = "[Settings]\r\nPort=9999\r\n";
constexpr const char* kPreviousFile = "[Settings]\r\nPort=1\r\n";

void arrange(const Harness& h)
{
    std::filesystem::create_directories(h.folder.file("game"));
    h.folder.write(kGameFile, kOldGameFile);
    h.folder.write("svrcfg_skirmish.ini", kPreviousFile);
    h.store_location(h.folder.file(kGameFile));
}

TEST(Faults, EveryFileOperationOfTheClickFailingInTurn)
{
    // Call i fails on round i, until a round gets through with no call left to fail.
    for (std::size_t i = 0;; ++i) {
        Harness h;
        arrange(h);
        const std::vector<std::string> entries = h.folder.entries();
        h.files.fail_call(static_cast<int>(i));
        h.desktop.answer_boxes({kYes});
        h.generate();
        const std::vector<FileOp>& calls = h.files.calls();
        if (i >= calls.size()) {
            EXPECT_EQ(h.folder.read(kGameFile), kDefaultSettingsFile);
            const std::set<FileOp> kinds(calls.begin(), calls.end());
            for (FileOp op :
                 {FileOp::Open, FileOp::Write, FileOp::Flush, FileOp::Rename, FileOp::Read})
                EXPECT_TRUE(kinds.count(op)) << "the click never calls " << to_string(op);
            break;
        }
        SCOPED_TRACE("call " + std::to_string(i) + ": " + to_string(calls[i]));

        // Failing before the file is written shows the failure box alone; after it, the offer
        // comes first. Either way the game's copy is as it was.
        const std::vector<HeadlessDesktop::Box>& boxes = h.desktop.boxes();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back(), testing_support::kFailure);
        EXPECT_EQ(h.folder.read(kGameFile), kOldGameFile);
        EXPECT_EQ(h.generated(), boxes.size() == 1 ? kPreviousFile : kDefaultSettingsFile);
        EXPECT_EQ(h.folder.entries(), entries);
        EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form1"});

        h.files.fail_call(-1);
        h.desktop.answer_boxes({kYes}); // the failing click's boxes took the earlier answer
        const std::size_t asked = boxes.size();
        h.generate();
        EXPECT_EQ(h.desktop.boxes().size(), asked + 1); // the offer alone
        EXPECT_EQ(h.folder.read(kGameFile), kDefaultSettingsFile);
    }
}

} // namespace
