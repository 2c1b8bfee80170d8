// The objects on show and the timelines' state: the main timeline and every sprite placed from
// it, each with its own frame, moved on one frame at a time.
#pragma once

#include "movie/movie.h"

#include <cstddef>
#include <vector>

namespace movie {

struct Instance {
    std::uint16_t depth = 0;
    std::uint16_t clip_depth = 0; // masks the depths above it up to this one; 0: not a clip
    Character character;
    Matrix matrix;
    ColourTransform colour;
    // A sprite's own timeline.
    int frame = 0;
    bool stopped = false;
    std::vector<Instance> children; // by depth
};

class Stage {
public:
    // The movie's first frame; the movie must outlive the stage.
    explicit Stage(const Movie& movie);

    // One frame on: every sprite already placed, then the main timeline. A timeline that ends
    // starts again from its first frame, keeping what that frame places again; one that met a
    // Stop stays where it is.
    void step();

    // The main timeline: its frame and its display list.
    const Instance& root() const { return root_; }

    // The work of every step so far, counted as kMaxStepWork counts it.
    long long work_done() const { return work_done_ + work_; }

private:
    void advance(Instance& holder, int nesting);
    void run_frame(Instance& holder, int nesting);
    void place(Instance& holder, const Control& control, int nesting);
    void remove(Instance& holder, std::uint16_t depth);
    void drop(std::vector<Instance>& list, std::vector<Instance>::iterator at);
    void back_to_first_frame(Instance& holder, const Timeline& timeline);

    const Movie* movie_;
    Instance root_;
    std::size_t live_ = 0; // instances in the tree below the root
    int work_ = 0;         // in this step
    long long work_done_ = 0;
    bool looping_ = false; // running a timeline's first frame again
};

} // namespace movie
