// The player as the strip sees it: which objects each frame shows and where, timelines that loop,
// stop, rewind and step back, and the pixels drawn.
#include "movie/player.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace movie_test;
using movie::Player;

constexpr std::uint32_t kRed = 0xFF0000FF, kGreen = 0x00FF00FF, kBlue = 0x0000FFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kPixel = 20; // twips

// A black 10 x 10 px stage; red and green 4 px boxes, a blue box the stage's size.
Bytes stage()
{
    return tag(9, {0, 0, 0}) + box_shape(1, 0, 0, 4 * kPixel, 4 * kPixel, kRed) +
           box_shape(2, 0, 0, 4 * kPixel, 4 * kPixel, kGreen) +
           box_shape(3, 0, 0, 10 * kPixel, 10 * kPixel, kBlue);
}

Transform at(int x, int y)
{
    return {x * kPixel, y * kPixel};
}

TEST(Player, EachFrameShowsWhatItsTimelinesPlaced)
{
    struct Check {
        int step; // next_frame calls from the start
        int frame;
        int x, y;
        std::uint32_t colour;
    };
    const struct {
        const char* what;
        int frames;
        Bytes tags;
        std::vector<Check> checks;
    } cases[] = {
        {"a move changes only what it names",
         2,
         place({1, 1, false, {}, {}, colour_transform({}, {0, 0, 255, 0})}) + kShowFrame +
             place({1, {}, true, at(5, 5)}) + kShowFrame,
         {{0, 0, 1, 1, 0xFF00FF}, {1, 1, 1, 1, kBlack}, {1, 1, 6, 6, 0xFF00FF}}},
        {"a move naming another character swaps it in where the old one stood",
         2,
         place({1, 1, false, at(5, 5)}) + kShowFrame + place({1, 2, true}) + kShowFrame,
         {{0, 0, 6, 6, 0xFF0000}, {1, 1, 6, 6, 0x00FF00}}},
        {"a placement on a taken depth replaces what was there",
         2,
         place({1, 1, false, at(5, 5)}) + kShowFrame + place({1, 2}) + kShowFrame,
         {{1, 1, 1, 1, 0x00FF00}, {1, 1, 6, 6, kBlack}}},
        {"clips inside clips leave what both cover",
         1,
         place({1, 1, false, {}, 4}) + place({2, 1, false, at(2, 2), 4}) + place({3, 3}) +
             kShowFrame,
         {{0, 0, 3, 3, 0x0000FF}, {0, 0, 1, 1, kBlack}, {0, 0, 5, 5, kBlack}}},
        {"at its end the timeline starts again from its first frame",
         2,
         place({1, 1}) + kShowFrame + place({2, 2, false, at(5, 5)}) + kShowFrame,
         {{1, 1, 6, 6, 0x00FF00}, {2, 0, 6, 6, kBlack}, {2, 0, 1, 1, 0xFF0000}}},
        {"a Stop holds the timeline on its frame",
         3,
         place({1, 1}) + kShowFrame + kStop + place({1, {}, true, at(5, 5)}) + kShowFrame +
             place({1, {}, true, at(0, 0)}) + kShowFrame,
         {{1, 1, 6, 6, 0xFF0000}, {2, 1, 6, 6, 0xFF0000}, {5, 1, 1, 1, kBlack}}},
        {"a sprite placed later starts at its own first frame",
         3,
         sprite(10, 3,
                place({1, 1}) + kShowFrame + place({1, 2}) + kShowFrame + place({1, 3}) +
                    kShowFrame) +
             kShowFrame + place({1, 10}) + kShowFrame + kShowFrame,
         {{0, 0, 1, 1, kBlack}, {1, 1, 1, 1, 0xFF0000}, {2, 2, 1, 1, 0x00FF00}}},
        {"a sprite's Stop holds only the sprite",
         3,
         sprite(10, 3,
                place({1, 1}) + kShowFrame + kStop + place({1, 2}) + kShowFrame + place({1, 3}) +
                    kShowFrame) +
             place({1, 10}) + kShowFrame + place({1, {}, true, at(5, 5)}) + kShowFrame + kShowFrame,
         {{1, 1, 6, 6, 0x00FF00}, {2, 2, 6, 6, 0x00FF00}, {2, 2, 1, 1, kBlack}}},
        {"colour transforms compose down the nesting",
         1,
         sprite(10, 1,
                place({1, 1, false, {}, {}, colour_transform({0.5, 1, 1, 1}, {})}) + kShowFrame) +
             place({1, 10, false, {}, {}, colour_transform({}, {0, 0, 100, 0})}) + kShowFrame,
         {{0, 0, 1, 1, 0x800064}}},
    };
    for (const auto& c : cases) {
        Player player = Player::from_bytes(swf(10, 10, c.frames, stage() + c.tags));
        ASSERT_TRUE(player.playable()) << c.what;
        int steps = 0;
        for (const Check& check : c.checks) {
            for (; steps < check.step; ++steps) player.next_frame();
            EXPECT_EQ(player.frame(), check.frame) << c.what << ", step " << check.step;
            const std::uint32_t got = picture(player)[check.y * 10 + check.x];
            // Colour arithmetic may round either way.
            for (int shift : {0, 8, 16}) {
                EXPECT_NEAR(int(got >> shift & 0xFF), int(check.colour >> shift & 0xFF), 1)
                    << c.what << ", step " << check.step << " at " << check.x << "," << check.y
                    << std::hex << ": " << got;
            }
        }
    }
}

TEST(Player, RewindAndStepBackReplayTheSameFrames)
{
    const Bytes tags = stage() +
                       sprite(10, 2, place({1, 2}) + kShowFrame + place({1, 1}) + kShowFrame) +
                       place({1, 10}) + kShowFrame + place({1, {}, true, at(2, 2)}) + kShowFrame +
                       place({1, {}, true, at(4, 4)}) + kShowFrame;
    Player player = Player::from_bytes(swf(10, 10, 3, tags));
    std::vector<std::vector<std::uint32_t>> forward;
    for (int i = 0; i < 3; ++i, player.next_frame()) forward.push_back(picture(player));
    ASSERT_EQ(player.frame(), 0);
    EXPECT_NE(forward[0], forward[1]);

    // Back from the first frame is the last.
    for (const auto& [step, frame] : {std::pair{&Player::previous_frame, 2},
                                      {&Player::previous_frame, 1}, {&Player::rewind, 0}}) {
        (player.*step)();
        EXPECT_EQ(player.frame(), frame);
        EXPECT_EQ(picture(player), forward[frame]);
    }
}

TEST(Player, FitsTheWholeStageCentredAndLeavesTheRowsEnds)
{
    const Bytes tags =
        tag(9, {0, 0, 0}) + box_shape(1, 0, 0, 400, 200, kBlue) + place({1, 1}) + kShowFrame;
    const Player player = Player::from_bytes(swf(20, 10, 1, tags));
    const int width = 40, height = 40, stride = 43;
    std::vector<std::uint32_t> pixels(stride * height, 0xAB000000);
    player.render(pixels.data(), width, height, stride);
    const auto at = [&](int x, int y) { return pixels[y * stride + x]; };
    EXPECT_EQ(at(20, 9), kBlack) << "twice the size: 20 rows, 10 above and below";
    EXPECT_EQ(at(0, 10), 0x0000FFu);
    EXPECT_EQ(at(39, 29), 0x0000FFu);
    EXPECT_EQ(at(20, 30), kBlack);
    for (int y = 0; y < height; ++y) EXPECT_EQ(at(41, y), 0xAB000000u) << "past the row, at " << y;
}

} // namespace
