// Any file operation of a click that writes may fail: the click then says so with its one box,
// leaves no half-written file anywhere, and the same click works once the fault is gone.
#include "support/harness.h"

#include <filesystem>
#include <functional>
#include <set>

#include <gtest/gtest.h>

namespace {

using testing_support::Harness;
using testing_support::HeadlessDesktop;
using testing_support::default_settings_file;

constexpr const char* kGameFile = "game/svrcfg_skirmish.ini";
constexpr const char* kOldGameFile = "[Settings]\r\nPort=9999\r\n";
constexpr const char* kPreviousFile = "[Settings]\r\nPort=1\r\n";

struct Story {
    const char* name;
    std::function<void(Harness&)> arrange;
    std::function<void(Harness&)> act;
    // What a click whose call failed leaves; and what a click that gets through leaves.
    std::function<void(Harness&)> failed;
    std::function<void(Harness&)> through;
};

const Story kStories[] = {
    {"the generate click, answered Yes",
     [](Harness& h) {
         std::filesystem::create_directories(h.folder.file("game"));
         h.folder.write(kGameFile, kOldGameFile);
         h.folder.write("svrcfg_skirmish.ini", kPreviousFile);
         h.store_location(h.folder.file(kGameFile));
     },
     [](Harness& h) {
         h.desktop.answer_boxes({ui::Answer::Yes});
         h.generate();
     },
     [](Harness& h) {
         // Failing before the file is written shows the failure box alone; after it, the offer
         // comes first. Either way the game's copy is as it was.
         const std::vector<HeadlessDesktop::Box>& boxes = h.desktop.boxes();
         ASSERT_FALSE(boxes.empty());
         EXPECT_EQ(boxes.back(), testing_support::kFailure);
         EXPECT_EQ(h.folder.read(kGameFile), kOldGameFile);
         EXPECT_EQ(h.generated(), boxes.size() == 1 ? kPreviousFile : default_settings_file());
         EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form1"});
     },
     [](Harness& h) {
         EXPECT_EQ(h.folder.read(kGameFile), default_settings_file());
         EXPECT_EQ(h.desktop.boxes().back(), testing_support::kOffer);
         const std::set<std::string> kinds(h.files.calls().begin(), h.files.calls().end());
         for (const char* op : {"open", "write", "flush", "rename", "read"})
             EXPECT_TRUE(kinds.count(op)) << "the click never calls " << op;
     }},
    {"the Settings window's OK",
     [](Harness& h) {
         h.folder.write("settings.ban", "old.ini\r\n");
         h.desktop.click("Form1", "Command2");
         h.desktop.clear("Form4", "Text1");
         h.desktop.type("Form4", "Text1", "new.ini");
     },
     [](Harness& h) { h.desktop.click("Form4", "Command2"); },
     [](Harness& h) {
         EXPECT_EQ(h.desktop.boxes(),
                   std::vector<HeadlessDesktop::Box>{testing_support::kSaveFailed});
         EXPECT_EQ(h.path_file(), "old.ini\r\n");
         EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form4"});
         EXPECT_EQ(h.desktop.control("Form4", "Text1").text, "new.ini");
     },
     [](Harness& h) {
         EXPECT_EQ(h.path_file(), "new.ini\r\n");
         EXPECT_EQ(h.desktop.visible_windows(), std::vector<std::string>{"Form1"});
         EXPECT_GE(h.files.calls().size(), 4u) << "the save opens, writes, flushes and renames";
     }},
};

TEST(Faults, EveryFileOperationOfAClickFailingInTurn)
{
    for (const Story& story : kStories) {
        SCOPED_TRACE(story.name);
        // Call i fails on round i, until a round gets through with no call left to fail.
        for (std::size_t i = 0;; ++i) {
            Harness h;
            story.arrange(h);
            const std::vector<std::string> entries = h.folder.entries();
            h.files.fail_call(static_cast<int>(i));
            story.act(h);
            if (i >= h.files.calls().size()) {
                story.through(h);
                break;
            }
            SCOPED_TRACE("call " + std::to_string(i) + ": " + h.files.calls()[i]);
            EXPECT_EQ(h.folder.entries(), entries) << "no file may appear, no temporary may stay";
            story.failed(h);

            h.files.fail_call(-1);
            story.act(h);
            story.through(h);
        }
    }
}

} // namespace
