// Any bytes as the strip's movie file: read, played forwards and back and drawn, within the
// player's limits, never writing outside the picture; rewinding shows the first frame again.
#include "check.h"

#include "movie/limits.h"
#include "movie/player.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 16;
constexpr int kStride = kWidth + 3;
constexpr std::uint32_t kUntouched = 0xAB000000;

std::vector<std::uint32_t> draw(const movie::Player& player)
{
    std::vector<std::uint32_t> pixels(kStride * kHeight, kUntouched);
    player.render(pixels.data(), kWidth, kHeight, kStride);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kStride; ++x) {
            const std::uint32_t p = pixels[y * kStride + x];
            FUZZ_CHECK(x < kWidth ? (p >> 24) == 0 : p == kUntouched);
        }
    }
    return pixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    movie::Player player = movie::Player::from_bytes({data, size});
    const int frames = player.frame_count();
    FUZZ_CHECK(frames >= 1 && frames <= movie::kMaxFrames);
    FUZZ_CHECK(player.frames_per_second() >= movie::kMinFrameRate &&
               player.frames_per_second() <= movie::kMaxFrameRate);
    FUZZ_CHECK(player.playable() || player.background() == movie::Player::kPlainGround);

    const std::vector<std::uint32_t> first = draw(player);
    using movie::Player;
    for (auto step : {&Player::next_frame, &Player::next_frame, &Player::next_frame,
                      &Player::previous_frame}) {
        (player.*step)();
        FUZZ_CHECK(player.frame() >= 0 && player.frame() < frames);
        draw(player);
    }
    player.rewind();
    FUZZ_CHECK(player.frame() == 0);
    FUZZ_CHECK(draw(player) == first);
    return 0;
}
