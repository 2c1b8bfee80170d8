// The coverage rasteriser: signed cell areas summed along rows, with the non-zero and even-odd
// rules applied to the sums.
#include "movie/raster.h"

#include "movie/limits.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace movie {
namespace {

// The area of the unit-wide column left of u that lies inside 0..1: the integral of the
// clamped ramp, from which a line's share of each cell follows in closed form.
double ramp_area(double u)
{
    if (u <= 0) return 0;
    if (u >= 1) return u - 0.5;
    return u * u / 2;
}

bool finite(Point p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

Rasterizer::Rasterizer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      cells_(static_cast<std::size_t>(width_ + 2) * height_), coverage_(width_ + 2)
{
    reset();
}

void Rasterizer::reset()
{
    rows_begin_ = height_;
    rows_end_ = 0;
    cols_begin_ = width_ + 2;
    cols_end_ = 0;
}

void Rasterizer::line(Point from, Point to)
{
    ++lines_;
    if (!finite(from) || !finite(to) || from.y == to.y) return;
    float direction = 1;
    if (from.y > to.y) {
        std::swap(from, to);
        direction = -1;
    }
    if (to.y <= 0 || from.y >= static_cast<float>(height_)) return;

    // Split where the line crosses the left and right edges: a part left or right of the
    // picture acts as a vertical line along that edge. The one on the right covers no pixel,
    // but closes the outline, so that the coverage of the row ends there.
    const float w = static_cast<float>(width_);
    float cuts[4] = {0, 1, 1, 1};
    int n = 1;
    const float dx = to.x - from.x;
    for (const float edge : {0.0f, w}) {
        const float t = dx != 0 ? (edge - from.x) / dx : -1;
        if (t > 0 && t < 1) cuts[n++] = t;
    }
    if (n == 3 && cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
    cuts[n] = 1;
    const float dy = to.y - from.y;
    for (int i = 0; i < n; ++i) {
        Point a{from.x + dx * cuts[i], from.y + dy * cuts[i]};
        Point b{from.x + dx * cuts[i + 1], from.y + dy * cuts[i + 1]};
        if (i == n - 1) b = to;
        const float middle = (a.x + b.x) / 2;
        if (middle <= 0 || middle >= w) {
            a.x = b.x = middle <= 0 ? 0 : w;
        } else {
            a.x = std::clamp(a.x, 0.0f, w);
            b.x = std::clamp(b.x, 0.0f, w);
        }
        cells(a, b, direction);
    }
}

// A line running downwards with 0 <= x <= width, cut into its rows.
void Rasterizer::cells(Point from, Point to, float direction)
{
    const double top = std::max(from.y, 0.0f);
    const double bottom = std::min(to.y, static_cast<float>(height_));
    if (bottom <= top) return;
    const double slope = (double(to.x) - from.x) / (double(to.y) - from.y);
    const int first = static_cast<int>(top);
    const int last = std::min(static_cast<int>(std::ceil(bottom)), height_);
    for (int y = first; y < last; ++y) {
        const double y0 = std::max(top, double(y));
        const double y1 = std::min(bottom, double(y) + 1);
        if (y1 <= y0) continue;
        const double x0 = from.x + (y0 - from.y) * slope;
        const double x1 = from.x + (y1 - from.y) * slope;
        accumulate(y, x0, x1, (y1 - y0) * direction);
    }
    rows_begin_ = std::min(rows_begin_, first);
    rows_end_ = std::max(rows_end_, last);
}

// Adds a line's share to the cells of row y: pixel i holds height times the part of it right
// of the line; stored as the change from pixel i - 1, so that a running sum gives the coverage.
void Rasterizer::accumulate(int y, double x0, double x1, double height)
{
    if (x0 > x1) std::swap(x0, x1);
    const double limit = width_;
    x0 = std::clamp(x0, 0.0, limit);
    x1 = std::clamp(x1, 0.0, limit);
    float* row = cells_.data() + static_cast<std::size_t>(y) * (width_ + 2);
    const int first = static_cast<int>(x0);
    const int last = static_cast<int>(x1);
    double before = 0;
    if (x1 - x0 < 1e-6) {
        before = height * (first + 1 - (x0 + x1) / 2);
        row[first] += static_cast<float>(before);
    } else {
        const double scale = height / (x1 - x0);
        for (int i = first; i <= last; ++i) {
            const double here = scale * (ramp_area(i + 1 - x0) - ramp_area(i + 1 - x1));
            row[i] += static_cast<float>(here - before);
            before = here;
        }
    }
    const int after = (x1 - x0 < 1e-6 ? first : last) + 1;
    row[after] += static_cast<float>(height - before);
    cols_begin_ = std::min(cols_begin_, first);
    cols_end_ = std::max(cols_end_, after + 1);
}

Span Rasterizer::row(int y, FillRule rule)
{
    float* cells = cells_.data() + static_cast<std::size_t>(y) * (width_ + 2);
    const int end = std::min(cols_end_, width_);
    float sum = 0;
    for (int x = cols_begin_; x < end; ++x) {
        sum += cells[x];
        float c = std::fabs(sum);
        if (rule == FillRule::even_odd) {
            c -= 2 * std::floor(c / 2);
            if (c > 1) c = 2 - c;
        }
        coverage_[x] = std::min(c, 1.0f);
    }
    std::fill(cells + cols_begin_, cells + cols_end_, 0.0f);
    return {y, cols_begin_, std::max(end - cols_begin_, 0), coverage_.data() + cols_begin_};
}

void Rasterizer::curve(Point from, Point control, Point to)
{
    const int pieces = curve_pieces(from, control, to);
    Point last = from;
    for (int i = 1; i <= pieces; ++i) {
        const Point next = i == pieces ? to : curve_point(from, control, to, fraction(i, pieces));
        line(last, next);
        last = next;
    }
}

int curve_pieces(Point from, Point control, Point to)
{
    // A quadratic's distance from its chord over a piece 1/n of it long is |from - 2 control +
    // to| / (4 n^2): n follows from the 1/8 px tolerance.
    const float bx = from.x - 2 * control.x + to.x, by = from.y - 2 * control.y + to.y;
    const float n = std::ceil(std::sqrt(std::sqrt(bx * bx + by * by) * 2));
    if (!(n > 1)) return 1;
    return n < kMaxCurveSegments ? static_cast<int>(n) : kMaxCurveSegments;
}

Point curve_point(Point from, Point control, Point to, float t)
{
    const float u = 1 - t;
    return {u * u * from.x + 2 * u * t * control.x + t * t * to.x,
            u * u * from.y + 2 * u * t * control.y + t * t * to.y};
}

} // namespace movie
