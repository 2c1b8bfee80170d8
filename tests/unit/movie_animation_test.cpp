// The movie strip's animation: the frames it writes, and how seldom it asks for the caption.
#include "platform/movie_animation.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Letters that are a plain block, counted each time they are asked for.
struct BlockLetters final : platform::CaptionLetters {
    int natural_width = 60;
    int draws = 0;
    int last_em = 0;

    int width(int em_pixels, int spacing) override { return natural_width + em_pixels + spacing; }
    void draw(int em_pixels, int, std::uint8_t* coverage, int width, int height) override
    {
        ++draws;
        last_em = em_pixels;
        for (int y = 0; y < std::min(height, 6); ++y)
            std::fill_n(coverage + y * width, std::min(width, 20), std::uint8_t{255});
    }
};

constexpr std::uint32_t kUntouched = 0xAB000000;

std::vector<std::uint32_t> frame(platform::MovieAnimation& animation, BlockLetters& letters,
                                 int width, int height, int stride, double seconds)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * height, kUntouched);
    EXPECT_TRUE(animation.paint(pixels.data(), width, height, stride, seconds, letters));
    return pixels;
}

TEST(MovieAnimation, FramesFillTheirRowsOnlyAndMoveWithTime)
{
    platform::MovieAnimation animation;
    BlockLetters letters;
    const int width = 267;
    const int height = 49;
    const int stride = 270;
    const std::vector<std::uint32_t> early = frame(animation, letters, width, height, stride, 1.5);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < stride; ++x) {
            const std::uint32_t p = early[static_cast<std::size_t>(y) * stride + x];
            if (x < width) {
                ASSERT_EQ(p & 0xFF000000U, 0U) << x << "," << y << ": not a 0x00RRGGBB pixel";
            } else {
                ASSERT_EQ(p, kUntouched) << x << "," << y << ": written past the row";
            }
        }
    }
    EXPECT_NE(frame(animation, letters, width, height, stride, 2.0), early);
    EXPECT_EQ(frame(animation, letters, width, height, stride, 1.5), early)
        << "the same moment is the same picture";
}

TEST(MovieAnimation, TheCaptionIsDrawnOncePerSizeAndShrunkToFit)
{
    platform::MovieAnimation animation;
    BlockLetters letters;
    frame(animation, letters, 267, 49, 267, 0.5);
    frame(animation, letters, 267, 49, 267, 0.6);
    EXPECT_EQ(letters.draws, 1);
    const int roomy_em = letters.last_em;
    EXPECT_EQ(roomy_em, 13) << "small capitals, a little over a quarter of the height";

    letters.natural_width = 1000; // wider than any strip: the smallest size it allows
    frame(animation, letters, 400, 98, 400, 0.5);
    EXPECT_EQ(letters.draws, 2);
    EXPECT_EQ(letters.last_em, 7);
}

TEST(MovieAnimation, AnEmptyStripPaintsNothing)
{
    platform::MovieAnimation animation;
    BlockLetters letters;
    for (const auto& [width, height] : {std::pair{0, 49}, std::pair{267, 0}, std::pair{-3, -3}}) {
        std::uint32_t pixel = kUntouched;
        EXPECT_TRUE(animation.paint(&pixel, width, height, 1, 1.0, letters));
        EXPECT_EQ(pixel, kUntouched);
    }
    EXPECT_EQ(letters.draws, 0);
}

} // namespace
