// Broken and hostile movies: each is refused or played in part, never a crash or a hang.
#include "movie/limits.h"
#include "movie/player.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace movie_test;
using movie::Player;

constexpr std::uint32_t kRed = 0xFF0000FF;

// A small movie with every kind of thing in it: shapes, a curve, a sprite, a clip layer.
Bytes small_movie()
{
    const Bytes curve = ShapeWriter(styles({solid(0x00FF00FF)}, {{20, kRed}}))
                            .move(0, 0, 0, 1, 1)
                            .curve(200, 0, 200, 200)
                            .line(0, 0)
                            .tag(2);
    return swf(10, 10, 2,
               tag(9, {0, 0, 0}) + box_shape(1, 0, 0, 200, 200, kRed) + curve +
                   sprite(3, 2, place({1, 2}) + kShowFrame + remove(1) + kShowFrame) +
                   place({1, 2, false, {}, 2}) + place({2, 3}) + kShowFrame + place({3, 1}) +
                   kShowFrame);
}

// Draws `frames` frames and steps one back; the frame then on show.
std::vector<std::uint32_t> play(Player& player, int frames)
{
    for (int i = 0; i < frames; ++i, player.next_frame()) picture(player, 16, 8);
    player.previous_frame();
    return picture(player, 16, 8);
}

// A movie that cannot be played is one frame of plain ground.
TEST(BrokenMovies, AreNotPlayed)
{
    // The small movie with other bytes at `at`.
    const auto patched = [](std::size_t at, const Bytes& bytes) {
        Bytes file = small_movie();
        std::copy(bytes.begin(), bytes.end(), file.begin() + at);
        return file;
    };
    const Bytes packed = compressed(small_movie());
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"not a movie", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
        {"LZMA-compressed", patched(0, {'Z'})},
        {"LZMA-compressed, the header alone", {'Z', 'W', 'S', 10}},
        {"ActionScript 3", swf(10, 10, 1, tag(69, {0x08, 0, 0, 0}) + kShowFrame)},
        {"ActionScript 3 code alone", swf(10, 10, 1, tag(82, Bytes(20, 0)) + kShowFrame)},
        {"a stage of no width", swf(0, 10, 1, kShowFrame)},
        {"an absurd stage", swf(9000, 10, 1, kShowFrame)},
        {"more frames than the limit", swf(10, 10, movie::kMaxFrames + 1, kShowFrame)},
        {"a sprite of more frames than the limit", swf(10, 10, 1, sprite(1, 60000, {}))},
        {"a length past the file's end", patched(4, u32(std::uint32_t(small_movie().size()) + 1))},
        {"a length shorter than the header", patched(4, u32(7))},
        {"a compressed stream cut short", Bytes(packed.begin(), packed.end() - 10)},
    };
    for (const auto& c : cases) {
        Player player = Player::from_bytes(c.file);
        EXPECT_FALSE(player.playable()) << c.what;
        EXPECT_EQ(player.frame_count(), 1) << c.what;
        EXPECT_EQ(player.background(), Player::kPlainGround) << c.what;
        for (std::uint32_t p : play(player, 3)) ASSERT_EQ(p, Player::kPlainGround) << c.what;
        EXPECT_EQ(player.frame(), 0) << c.what;
    }
}

TEST(BrokenMovies, CutAtAnyByteAreRefused)
{
    // A compressed file whose movie comes out whole plays even without the stream's last few
    // bytes: its end code and checksum.
    for (const auto& [whole, spare] :
         {std::pair{small_movie(), 0}, std::pair{compressed(small_movie()), 6}}) {
        for (std::size_t size = 0; size < whole.size(); ++size) {
            Player player = Player::from_bytes(std::span(whole).first(size));
            if (size + spare < whole.size()) {
                ASSERT_FALSE(player.playable()) << size << " of " << whole.size();
            }
            play(player, 2);
        }
        const Player player = Player::from_bytes(whole);
        EXPECT_TRUE(player.playable());
        const std::vector<std::uint32_t> pixels = picture(player, 16, 8);
        EXPECT_EQ(pixels[2 * 16 + 8], 0x00FF00u) << "the sprite's shape within the clip";
        EXPECT_EQ(pixels[6 * 16 + 6], 0u) << "the sprite's shape outside the clip";
    }
}

TEST(BrokenMovies, PlayWhatCanBeRead)
{
    const Bytes red_box = box_shape(1, 0, 0, 200, 200, kRed) + place({1, 1});
    Bytes short_shape = box_shape(2, 0, 0, 200, 200, 0x00FF00FF);
    short_shape.resize(short_shape.size() - 3);
    short_shape[0] = static_cast<std::uint8_t>((short_shape[0] & 0xC0) | (short_shape.size() - 2));
    // A sprite that places itself, twice over, and a chain of sprites deeper than the limit.
    const Bytes itself =
        sprite(5, 1, place({1, 5}) + place({2, 5}) + place({3, 1}) + kShowFrame) + place({2, 5});
    Bytes chain = box_shape(100, 0, 0, 200, 200, 0x00FF00FF);
    for (int id = 101; id <= 100 + movie::kMaxNesting + 4; ++id)
        chain = chain + sprite(id, 1, place({1, id - 1}) + kShowFrame);
    chain = chain + place({2, 100 + movie::kMaxNesting + 4});
    const struct {
        const char* what;
        Bytes tags;
    } cases[] = {
        {"a shape cut short is left undefined", red_box + short_shape + place({2, 2})},
        {"a huge style count with no styles",
         red_box + tag(32, u16(2) + rect(0, 0, 0, 0) + Bytes{0xFF, 0xFF, 0xFF}) + place({2, 2})},
        {"a placement of a character never defined", red_box + place({2, 77})},
        {"a placement cut short", red_box + tag(26, {0x06, 2})},
        {"a tag longer than what is left", red_box + kShowFrame + u16(2 << 6 | 0x3F) + u32(100000)},
        {"a sprite that places itself", red_box + itself},
        {"sprites nested deeper than the limit", red_box + chain},
    };
    for (const auto& c : cases) {
        Player player = Player::from_bytes(swf(10, 10, 2, tag(9, {0, 0, 0}) + c.tags + kShowFrame));
        ASSERT_TRUE(player.playable()) << c.what;
        EXPECT_EQ(play(player, 5)[8 * 16 / 2 + 8], 0xFF0000u)
            << c.what << ": the red box, and only it";
    }
}

TEST(BrokenMovies, ClipLayersPastTheLimitHideWhatTheyMask)
{
    for (const int layers : {movie::kMaxClipLayers, movie::kMaxClipLayers + 1}) {
        Bytes tags = tag(9, {0, 0, 0}) + box_shape(1, 0, 0, 200, 200, kRed);
        for (int depth = 1; depth <= layers; ++depth)
            tags = tags + place({depth, 1, false, {}, 1000});
        tags = tags + place({500, 1}) + kShowFrame;
        EXPECT_EQ(picture(Player::from_bytes(swf(10, 10, 1, tags)))[55],
                  layers <= movie::kMaxClipLayers ? 0xFF0000u : 0u)
            << layers << " layers";
    }
}

} // namespace
