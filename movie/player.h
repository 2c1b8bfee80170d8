// Plays a movie file in the About window's strip: reads it once, steps through its frames and
// draws the current one at any size. Front ends read the file and keep the time.
#pragma once

#include "movie/limits.h"

#include <cstdint>
#include <memory>
#include <span>

namespace movie {

struct Movie;
class Stage;

// The largest movie file a front end should read; larger ones are not played.
inline constexpr std::size_t kMaxMovieFileBytes = kMaxFileBytes;

class Player {
public:
    // What a movie that cannot be played shows: the About banner's dark red-brown, so that the
    // strip still reads as part of the window.
    static constexpr std::uint32_t kPlainGround = 0x3a1208;

    Player();
    Player(Player&&) noexcept;
    Player& operator=(Player&&) noexcept;
    ~Player();

    // Reads a movie from its bytes. Never fails: a movie that cannot be played (not a movie,
    // compressed with LZMA, ActionScript 3, broken, over a limit) gives a player whose frames are
    // plain ground.
    static Player from_bytes(std::span<const std::uint8_t> bytes);

    bool playable() const { return movie_ != nullptr; }
    // Held to 1..60; a movie that leaves its rate at 0 plays at 12.
    double frames_per_second() const;
    // Of the main timeline; 1 when not playable.
    int frame_count() const;
    // The frame on show, 0-based.
    int frame() const;
    // 0x00RRGGBB: the movie's own, or kPlainGround.
    std::uint32_t background() const;

    // One frame on: the main timeline and every sprite, each looping at its end unless a Stop
    // holds it.
    void next_frame();
    // Back to the first frame, as just read.
    void rewind();
    // One frame back (before the first: the last): replayed from the first frame, which a
    // movie too busy to replay within kMaxReplayWork cuts short.
    void previous_frame();

    // Draws the frame into `width` x `height` pixels, 0x00RRGGBB in rows of `stride` pixels: the
    // whole stage fitted in, proportions kept, centred, the rest in the background colour.
    void render(std::uint32_t* pixels, int width, int height, int stride) const;

private:
    std::unique_ptr<const Movie> movie_;
    std::unique_ptr<Stage> stage_;
};

} // namespace movie
