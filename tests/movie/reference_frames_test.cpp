// Every frame the player draws in the About window's strip, against the reference player's frame.
#include "movie/player.h"
#include "support/frame_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using testing_support::compare_frames;
using testing_support::FrameDifference;
using testing_support::Image;

constexpr int kStripWidth = 267;
constexpr int kStripHeight = 49;

// A file of the source tree; under Wine the tree is on the drive that maps the host's root.
std::string source_file(const std::string& path)
{
#ifdef _WIN32
    if (path.starts_with("/")) return "Z:" + path;
#endif
    return path;
}

std::vector<std::uint8_t> file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string reference_path(const char* movie, int frame)
{
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.png", frame);
    return source_file(std::string(MOVIE_REFERENCES) + "/" + movie + name);
}

Image reference(const std::string& name)
{
    std::string error;
    auto image =
        testing_support::read_png(source_file(std::string(MOVIE_REFERENCES) + "/" + name), &error);
    EXPECT_TRUE(image) << error;
    return image.value_or(Image{});
}

Image shifted(Image image, int dx, int dy)
{
    const Image from = image;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = from.at(
                std::clamp(x - dx, 0, image.width - 1), std::clamp(y - dy, 0, image.height - 1));
    return image;
}

Image cropped(Image image)
{
    Image narrower{image.width - 1, image.height, {}};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < narrower.width; ++x) narrower.pixels.push_back(image.at(x, y));
    return narrower;
}

TEST(FrameCompare, PassesTheSameFrameAndCatchesAnotherOrAShiftedOne)
{
    // Frames 11 and 12 of the About movie have the glint on the letters; 36 is the loop's
    // frame 0 again. The feature movie moves something everywhere each frame.
    const Image tessel = reference("tessel/012.png");
    const Image features = reference("features/005.png");
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
        {"the frame after the loop", reference("tessel/036.png"), reference("tessel/000.png"),
         true},
        {"one frame early", reference("tessel/011.png"), tessel, false},
        {"one pixel to the right", shifted(tessel, 1, 0), tessel, false},
        {"one pixel down", shifted(features, 0, 1), features, false},
        {"one frame late", reference("features/006.png"), features, false},
        {"a column short", cropped(tessel), tessel, false},
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
        const std::vector<std::uint8_t> bytes =
            file_bytes(source_file(std::string(SOURCE_FOLDER) + "/" + m.file));
        movie::Player player = movie::Player::from_bytes(bytes);
        ASSERT_TRUE(player.playable());
        FrameDifference worst;
        int worst_frame = 0;
        int frames = 0;
        for (;; ++frames) {
            const std::optional<Image> reference =
                testing_support::read_png(reference_path(m.reference, frames));
            if (!reference) break;
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
