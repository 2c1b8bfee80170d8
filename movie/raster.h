// Turns outlines into exact per-pixel coverage: each line adds its signed area to the cells it
// crosses, and a running sum along each row gives how much of every pixel lies inside.
#pragma once

#include "movie/geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace movie {

enum class FillRule { non_zero, even_odd };

// A run of pixels in one row with their coverage, 0 to 1.
struct Span {
    int y = 0;
    int x = 0;
    int count = 0;
    const float* coverage = nullptr;
};

class Rasterizer {
public:
    // Pixels outside 0..width x 0..height are never covered; lines may run anywhere.
    Rasterizer(int width, int height);

    // Lines in pixel coordinates; together they must close, as the edges of filled shapes do.
    void line(Point from, Point to);
    // A quadratic curve, flattened into lines no further than 1/8 px from it.
    void curve(Point from, Point control, Point to);

    // Hands over the coverage of what was added, row by row, and starts afresh.
    template <class Sink> void sweep(FillRule rule, Sink&& sink)
    {
        if (rows_end_ > rows_begin_)
            swept_ += std::int64_t{rows_end_ - rows_begin_} * (cols_end_ - cols_begin_);
        for (int y = rows_begin_; y < rows_end_; ++y) sink(row(y, rule));
        reset();
    }

    // Lines added and cells swept since this rasteriser was made: what drawing has cost so far.
    std::size_t lines() const { return lines_; }
    std::int64_t swept() const { return swept_; }

private:
    void accumulate(int y, double x0, double x1, double height);
    void cells(Point from, Point to, float direction);
    Span row(int y, FillRule rule);
    void reset();

    int width_, height_;
    std::vector<float> cells_; // (width + 2) per row: each line's area, by cell
    std::vector<float> coverage_;
    int rows_begin_, rows_end_, cols_begin_, cols_end_; // what has been touched
    std::size_t lines_ = 0;
    std::int64_t swept_ = 0;
};

// How many straight pieces a curve needs to stay within 1/8 px, at least 1 and at most
// kMaxCurveSegments; and the point a fraction t along it.
int curve_pieces(Point from, Point control, Point to);
Point curve_point(Point from, Point control, Point to, float t);

inline float fraction(int i, int n)
{
    return static_cast<float>(i) / static_cast<float>(n);
}

} // namespace movie
