// The frame comparison's three figures, each measured against the reference.
#include "support/frame_compare.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>

namespace testing_support {
namespace {

int channel(std::uint32_t pixel, int c)
{
    return static_cast<int>(pixel >> (8 * c) & 0xFF);
}

bool flat(const Image& image, int x, int y)
{
    for (int c = 0; c < 3; ++c) {
        int lo = 255, hi = 0;
        for (int yy = std::max(y - 1, 0); yy <= std::min(y + 1, image.height - 1); ++yy) {
            for (int xx = std::max(x - 1, 0); xx <= std::min(x + 1, image.width - 1); ++xx) {
                lo = std::min(lo, channel(image.at(xx, yy), c));
                hi = std::max(hi, channel(image.at(xx, yy), c));
            }
        }
        if (hi - lo > FrameDifference::kFlatSpread) return false;
    }
    return true;
}

} // namespace

FrameDifference compare_frames(const Image& frame, const Image& reference)
{
    FrameDifference d;
    if (frame.width != reference.width || frame.height != reference.height ||
        reference.pixels.empty()) {
        d.same_size = false;
        return d;
    }
    long long total = 0;
    for (int y = 0; y < reference.height; ++y) {
        for (int x = 0; x < reference.width; ++x) {
            int worst = 0;
            for (int c = 0; c < 3; ++c) {
                const int e = std::abs(channel(frame.at(x, y), c) - channel(reference.at(x, y), c));
                total += e;
                worst = std::max(worst, e);
            }
            if (worst > FrameDifference::kOffBy) ++d.pixels_off;
            if (worst > d.worst_flat_error && flat(reference, x, y)) d.worst_flat_error = worst;
        }
    }
    d.mean_error =
        static_cast<double>(total) / (3.0 * static_cast<double>(reference.pixels.size()));
    return d;
}

std::ostream& operator<<(std::ostream& out, const FrameDifference& d)
{
    if (!d.same_size) return out << "the frame and its reference differ in size";
    return out << "mean error " << std::round(d.mean_error * 100) / 100 << " (at most "
               << FrameDifference::kMaxMeanError << "), " << d.pixels_off
               << " pixels off by more than " << FrameDifference::kOffBy << " (at most "
               << FrameDifference::kMaxPixelsOff << "), worst error where flat "
               << d.worst_flat_error << " (at most " << FrameDifference::kMaxFlatError << ")";
}

ClosestReference closest_reference(const Image& frame, const std::string& folder)
{
    ClosestReference best;
    for (int n = 0;; ++n) {
        const std::optional<Image> reference = read_reference_frame(folder, n);
        if (!reference) return best;
        const FrameDifference d = compare_frames(frame, *reference);
        if (best.frame < 0 || d.mean_error < best.difference.mean_error) best = {n, d};
        if (d.passes()) return {n, d};
    }
}

} // namespace testing_support
