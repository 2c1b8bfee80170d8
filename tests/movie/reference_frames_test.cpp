// Every frame the player draws in the About window's strip, against the reference player's frame.
#include "movie/player.h"
#include "support/frame_compare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using testing_support::compare_frames;
using testing_support::FrameDifference;
using testing_support::Image;

constexpr int kStripWidth = 267;
constexpr int kStripHeight = 49;

std::vector<std::uint8_t> file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string reference_path(const char* movie, int frame)
{
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.png", frame);
    return std::string(MOVIE_REFERENCES) + "/" + movie + name;
}

// The reference frames go one loop and two frames further: the loop back to the first frame, with
// sprites that keep their own time across it, is checked too.
TEST(ReferenceFrames, EachFrameMatchesTheReferencePlayersFrame)
{
    const struct {
        const char* file;      // under the source folder
        const char* reference; // folder of frames
    } movies[] = {
        {"assets/tessel.swf", "tessel"},
        {"tests/movie/features.swf", "features"},
        {"tests/movie/features-cws.swf", "features"},
    };
    for (const auto& m : movies) {
        SCOPED_TRACE(m.file);
        const std::vector<std::uint8_t> bytes = file_bytes(std::string(SOURCE_FOLDER) + "/" + m.file);
        movie::Player player = movie::Player::from_bytes(bytes);
        ASSERT_TRUE(player.playable());
        FrameDifference worst;
        int frames = 0;
        for (;; ++frames) {
            const std::optional<Image> reference = testing_support::read_png(reference_path(m.reference, frames));
            if (!reference) break;
            Image frame{kStripWidth, kStripHeight, std::vector<std::uint32_t>(kStripWidth * kStripHeight)};
            player.render(frame.pixels.data(), kStripWidth, kStripHeight, kStripWidth);
            const FrameDifference d = compare_frames(frame, *reference);
            EXPECT_TRUE(d.passes()) << "frame " << frames << ": " << d;
            if (d.mean_error > worst.mean_error) worst = d;
            player.next_frame();
        }
        EXPECT_EQ(frames, player.frame_count() + 2) << "reference frames";
        std::printf("%s: %d frames, worst %.2f mean error\n", m.file, frames, worst.mean_error);
    }
}

} // namespace
