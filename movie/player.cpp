// The player: a read movie and the state of its timelines, and the fit of its stage into the
// picture asked for.
#include "movie/player.h"

#include "movie/display_list.h"
#include "movie/movie.h"
#include "movie/render.h"

#include <algorithm>
#include <new>

namespace movie {

Player::Player() = default;
Player::Player(Player&&) noexcept = default;
Player& Player::operator=(Player&&) noexcept = default;
Player::~Player() = default;

Player Player::from_bytes(std::span<const std::uint8_t> bytes)
{
    Player player;
    try {
        std::optional<Movie> movie = read_movie(bytes);
        if (!movie) return player;
        player.movie_ = std::make_unique<const Movie>(std::move(*movie));
        player.rewind();
    } catch (const std::bad_alloc&) {
        // Memory ran short even within the limits: the strip stays plain.
        player = Player();
    }
    return player;
}

double Player::frames_per_second() const
{
    return movie_ ? movie_->frame_rate : kDefaultFrameRate;
}

int Player::frame_count() const
{
    return movie_ ? movie_->timelines.front().frames() : 1;
}

int Player::frame() const
{
    return stage_ ? stage_->root().frame : 0;
}

std::uint32_t Player::background() const
{
    return movie_ ? movie_->background : kPlainGround;
}

void Player::next_frame()
{
    if (!stage_) return;
    try {
        stage_->step();
    } catch (const std::bad_alloc&) {
        rewind();
    }
}

void Player::rewind()
{
    if (!movie_) return;
    try {
        stage_ = std::make_unique<Stage>(*movie_);
    } catch (const std::bad_alloc&) {
        stage_.reset();
        movie_.reset();
    }
}

void Player::previous_frame()
{
    if (!stage_) return;
    const int target = (frame() + frame_count() - 1) % frame_count();
    rewind();
    for (int i = 0; i < target && stage_ && stage_->work_done() < kMaxReplayWork; ++i) next_frame();
}

void Player::render(std::uint32_t* pixels, int width, int height, int stride) const
{
    if (!pixels || width <= 0 || height <= 0 || stride < width) return;
    const std::uint32_t ground = background();
    for (int y = 0; y < height; ++y)
        std::fill_n(pixels + static_cast<std::ptrdiff_t>(y) * stride, width, ground);
    if (!stage_ || std::int64_t{width} * height > kMaxRenderPixels) return;

    // Twips to pixels, the stage fitted whole and centred.
    const Movie& m = *movie_;
    const auto w = static_cast<float>(width), h = static_cast<float>(height);
    const float scale = std::min(w / m.width, h / m.height);
    Matrix view{scale, 0, 0, scale, 0, 0};
    view.tx = (w - m.width * scale) / 2 - m.x_min * scale;
    view.ty = (h - m.height * scale) / 2 - m.y_min * scale;
    try {
        draw(m, stage_->root(), view, {pixels, width, height, stride});
    } catch (const std::bad_alloc&) {
        // What was drawn stays; the next frame tries again.
    }
}

} // namespace movie
