// Whether a frame the movie player drew matches the reference player's frame closely enough.
#pragma once

#include "support/png.h"

#include <iosfwd>
#include <string>

namespace testing_support {

// Two players smooth edges differently, so a frame may differ from its reference along edges,
// a little everywhere, but hardly at all where the reference is flat; one frame early or late,
// or one pixel out of place, fails at least one of the three limits.
struct FrameDifference {
    static constexpr double kMaxMeanError = 1.0;
    static constexpr int kOffBy = 24;
    static constexpr int kMaxPixelsOff = 150;
    static constexpr int kFlatSpread = 2;
    static constexpr int kMaxFlatError = 8;

    bool same_size = true;
    // Over every pixel and its three channels, in 0..255.
    double mean_error = 0;
    // Pixels with a channel off by more than kOffBy.
    int pixels_off = 0;
    // The largest channel difference where the reference's 3 x 3 neighbourhood varies by at
    // most kFlatSpread in every channel, away from every edge.
    int worst_flat_error = 0;

    bool passes() const
    {
        return same_size && mean_error <= kMaxMeanError && pixels_off <= kMaxPixelsOff &&
               worst_flat_error <= kMaxFlatError;
    }
};

FrameDifference compare_frames(const Image& frame, const Image& reference);

// The reference frame (000.png, 001.png, ... in `folder`) that a frame on the screen shows: the
// first that passes, else the one closest on average; frame -1 when the folder holds none.
struct ClosestReference {
    int frame = -1;
    FrameDifference difference;
};
ClosestReference closest_reference(const Image& frame, const std::string& folder);

// The figures and their limits, for a failing test's message.
std::ostream& operator<<(std::ostream& out, const FrameDifference& d);

} // namespace testing_support
