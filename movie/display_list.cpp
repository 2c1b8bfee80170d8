// Applies the timelines' placements, removals and stops to the display tree, frame by frame.
#include "movie/display_list.h"

#include "movie/limits.h"

#include <algorithm>
#include <utility>

namespace movie {
namespace {

std::size_t count(const Instance& instance)
{
    std::size_t n = 1;
    for (const Instance& child : instance.children) n += count(child);
    return n;
}

void update(Instance& instance, const Control& control)
{
    if (control.has_matrix) instance.matrix = control.matrix;
    if (control.has_colour) instance.colour = control.colour;
    if (control.has_clip) instance.clip_depth = control.clip_depth;
}

std::vector<Instance>::iterator at_depth(std::vector<Instance>& list, std::uint16_t depth)
{
    return std::lower_bound(list.begin(), list.end(), depth,
                            [](const Instance& i, std::uint16_t d) { return i.depth < d; });
}

} // namespace

Stage::Stage(const Movie& movie) : movie_(&movie)
{
    root_.character = {0, Character::Kind::sprite, 0};
    run_frame(root_, 0);
}

void Stage::step()
{
    work_done_ += work_;
    work_ = 0;
    advance(root_, 0);
}

void Stage::advance(Instance& holder, int nesting)
{
    // Sprites placed in an earlier frame move on; those this frame places will show their first.
    for (Instance& child : holder.children) {
        if (child.character.kind != Character::Kind::sprite) continue;
        if (++work_ > kMaxStepWork) return;
        advance(child, nesting + 1);
    }
    const Timeline& timeline = movie_->timelines[holder.character.index];
    if (holder.stopped || timeline.frames() <= 1) return;
    if (++holder.frame < timeline.frames()) {
        run_frame(holder, nesting);
        return;
    }
    holder.frame = 0;
    back_to_first_frame(holder, timeline);
    looping_ = true;
    run_frame(holder, nesting);
    looping_ = false;
}

// Looping back keeps what the first frame places again, at the same depth and as the same
// character, as a player's return to its first frame does: a sprite placed there runs on in its
// own time. The rest goes; what stays takes the first frame's place and colour again.
void Stage::back_to_first_frame(Instance& holder, const Timeline& timeline)
{
    std::vector<std::pair<std::uint16_t, std::uint16_t>> placed; // depth, character
    for (std::uint32_t i = 0; i < timeline.frame_ends[0]; ++i) {
        const Control& control = timeline.controls[i];
        if (control.kind == Control::Kind::place && control.has_character)
            placed.emplace_back(control.depth, control.character);
    }
    std::sort(placed.begin(), placed.end());
    work_ += static_cast<int>(placed.size() / 16);
    std::vector<Instance>& list = holder.children;
    for (auto it = list.begin(); it != list.end();) {
        if (++work_ > kMaxStepWork) return;
        if (std::binary_search(placed.begin(), placed.end(),
                               std::pair(it->depth, it->character.id))) {
            it->matrix = {};
            it->colour = {};
            it->clip_depth = 0;
            ++it;
        } else {
            const auto index = it - list.begin();
            drop(list, it);
            it = list.begin() + index;
        }
    }
}

void Stage::run_frame(Instance& holder, int nesting)
{
    const Timeline& timeline = movie_->timelines[holder.character.index];
    const std::uint32_t begin = holder.frame == 0 ? 0 : timeline.frame_ends[holder.frame - 1];
    const std::uint32_t end = timeline.frame_ends[holder.frame];
    for (std::uint32_t i = begin; i < end; ++i) {
        if (++work_ > kMaxStepWork) return;
        const Control& control = timeline.controls[i];
        switch (control.kind) {
        case Control::Kind::place: place(holder, control, nesting); break;
        case Control::Kind::remove: remove(holder, control.depth); break;
        case Control::Kind::stop: holder.stopped = true; break;
        }
    }
}

void Stage::place(Instance& holder, const Control& control, int nesting)
{
    std::vector<Instance>& list = holder.children;
    auto at = at_depth(list, control.depth);
    const bool taken = at != list.end() && at->depth == control.depth;
    // On the way back to the first frame, an object kept there is placed again in place.
    if (taken && (control.move || looping_) &&
        (!control.has_character || at->character.id == control.character)) {
        update(*at, control);
        return;
    }
    if (!control.has_character) return;

    Instance fresh;
    fresh.depth = control.depth;
    fresh.character = movie_->find(control.character);
    if (taken) {
        // A move that names another character swaps it in where the old one stood.
        if (control.move) {
            fresh.matrix = at->matrix;
            fresh.colour = at->colour;
            fresh.clip_depth = at->clip_depth;
        }
        const auto index = at - list.begin();
        drop(list, at);
        at = list.begin() + index;
    }
    update(fresh, control);
    if (live_ >= kMaxLiveObjects) return;
    if (fresh.character.kind == Character::Kind::sprite && nesting + 1 >= kMaxNesting)
        fresh.character.kind = Character::Kind::nothing;
    ++live_;
    work_ += static_cast<int>((list.end() - at) / 16);
    Instance& placed = *list.insert(at, std::move(fresh));
    // A sprite shows its first frame in the frame that places it.
    if (placed.character.kind == Character::Kind::sprite) run_frame(placed, nesting + 1);
}

void Stage::remove(Instance& holder, std::uint16_t depth)
{
    std::vector<Instance>& list = holder.children;
    const auto at = at_depth(list, depth);
    if (at != list.end() && at->depth == depth) drop(list, at);
}

void Stage::drop(std::vector<Instance>& list, std::vector<Instance>::iterator at)
{
    const std::size_t gone = count(*at);
    live_ -= gone;
    work_ += static_cast<int>((gone + static_cast<std::size_t>(list.end() - at)) / 16);
    list.erase(at);
}

} // namespace movie
