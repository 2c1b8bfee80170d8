// Prints how long the movie player takes to draw one frame of a movie in the About window's
// 267 x 49 strip: the mean over a few hundred frames, stepping on as the strip's timer does.
#include "movie/load.h"
#include "movie/player.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: movie_frame_bench MOVIE [FRAMES]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 400;
    movie::Player player = movie::load(std::fopen(argv[1], "rb"));
    if (!player.playable()) std::printf("%s cannot be played: timing the plain ground\n", argv[1]);
    constexpr int kWidth = 267;
    constexpr int kHeight = 49;
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        player.next_frame();
        player.render(pixels.data(), kWidth, kHeight, kWidth);
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("movie frame at %d x %d: %.1f us a frame (mean of %d, next_frame and render), "
                "%.2f %% of one core at %.0f frames a second\n",
                kWidth, kHeight, spent.count() / frames, frames,
                spent.count() / frames * player.frames_per_second() / 1e4,
                player.frames_per_second());
}
