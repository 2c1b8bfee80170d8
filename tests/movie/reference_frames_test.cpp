// Every frame the player draws in the About window's strip, against the reference player's frame.
#include "movie/load.h"
#include "support/frame_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>

namespace {

using testing_support::compare_frames;
using testing_support::FrameDifference;
using testing_support::Image;

constexpr int kStripWidth = 267;
constexpr int kStripHeight = 49;

std::optional<Image> read_reference(const char* movie, int frame)
{
    return testing_support::read_reference_frame(std::string(MOVIE_REFERENCES) + "/" + movie,
                                                 frame);
}

// One that cannot be read fails the test with the exception.
Image reference(const char* movie, int frame)
{
    return read_reference(movie, frame).value();
}

// The image moved on by `pixels` along its rows, those past the end coming round to the start: by
// one, a column to the right; by its width, a row down.
Image moved(Image image, int pixels)
{
    std::rotate(image.pixels.rbegin(), image.pixels.rbegin() + pixels, image.pixels.rend());
    return image;
}

TEST(FrameCompare, PassesTheSameFrameAndCatchesAnotherOrAShiftedOne)
{
    // Frames 11 and 12 of the About movie have the glint on the letters; 36 is the loop's
    // frame 0 again. The feature movie moves something everywhere each frame.
    const Image tessel = reference("tessel", 12);
    const Image features = reference("features", 5);
    // Read right, they show each movie's background in the corners, and the feature movie's
    // frame counter where it is.
    ASSERT_EQ(std::pair(tessel.width, tessel.height), std::pair(267, 49));
    EXPECT_EQ(tessel.at(0, 0), 0x3A1208U);
    EXPECT_EQ(tessel.at(266, 48), 0x3A1208U);
    EXPECT_EQ(features.at(266, 48), 0x4E5A6EU);
    EXPECT_EQ(features.at(60, 45), 0x96B0CEU);
    const struct {
        const char* name;
        Image frame;
        Image reference;
        bool passes;
    } cases[] = {
        {"the frame itself", tessel, tessel, true},
        {"the frame after the loop", reference("tessel", 36), reference("tessel", 0), true},
        {"one frame early", reference("tessel", 11), tessel, false},
        {"one pixel to the right", moved(tessel, 1), tessel, false},
        {"one pixel down", moved(features, 267), features, false},
        {"one frame late", reference("features", 6), features, false},
        {"a column short", Image{266, 49, {tessel.pixels.begin(), tessel.pixels.end() - 49}}, tessel,
         false},
    };
    for (const auto& c : cases) {
        const auto difference = compare_frames(c.frame, c.reference);
        EXPECT_EQ(difference.passes(), c.passes) << c.name << ": " << difference;
    }
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
        movie::Player player =
            movie::load(std::fopen((std::string(SOURCE_FOLDER) + "/" + m.file).c_str(), "rb"));
        ASSERT_TRUE(player.playable());
        FrameDifference worst;
        int worst_frame = 0;
        int frames = 0;
        for (; const std::optional<Image> reference = read_reference(m.reference, frames);
             ++frames) {
            Image frame{kStripWidth, kStripHeight,
                        std::vector<std::uint32_t>(kStripWidth * kStripHeight)};
            player.render(frame.pixels.data(), kStripWidth, kStripHeight, kStripWidth);
            const FrameDifference d = compare_frames(frame, *reference);
            EXPECT_TRUE(d.passes()) << "frame " << frames << ": " << d;
            if (d.mean_error > worst.mean_error) {
                worst = d;
                worst_frame = frames;
            }
            player.next_frame();
        }
        EXPECT_EQ(frames, player.frame_count() + 2) << "reference frames";
        std::cout << m.file << ": " << frames << " frames; the worst, frame " << worst_frame << ": "
                  << worst << "\n";
    }
}

} // namespace
