// Widens polylines into closed outlines: one side forward, a cap, the other side back, a cap.
// Directions are unit vectors and arcs are repeated small rotations, so no angle is ever needed.
#include "movie/stroke.h"

#include "movie/limits.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace movie {
namespace {

// Strokes wider than this are surely broken data; capping keeps the arcs' sizes sane.
constexpr float kMaxHalfWidth = 1e5f;

// The cosine of the smallest arc step: no round part has more than kMaxCurveSegments steps.
constexpr float kCosSmallestStep = 0.99518473f; // cos(2 pi / 64)
static_assert(kMaxCurveSegments == 64);

struct Piece {
    Point from, to;
    Point dir; // unit
    float length;
};

Point operator+(Point a, Point b)
{
    return {a.x + b.x, a.y + b.y};
}

Point operator*(Point a, float s)
{
    return {a.x * s, a.y * s};
}

float dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}

float cross(Point a, Point b)
{
    return a.x * b.y - a.y * b.x;
}

// The unit normal on the left of a direction; its negation is the right.
Point left_of(Point dir)
{
    return {-dir.y, dir.x};
}

class Outline {
public:
    Outline(Rasterizer& raster, float radius) : raster_(raster), radius_(radius)
    {
        // Steps whose chords stay within 1/16 px of the circle: caps of thin lines are small
        // circles, whose area a coarser polygon would visibly lose. The step turns by twice
        // the half angle whose cosine is 1 - tolerance / radius.
        const float half = std::max(1 - 0.0625f / radius, 0.0f);
        cos_ = std::min(2 * half * half - 1, kCosSmallestStep);
        sin_ = std::sqrt(1 - cos_ * cos_);
        // Points between an arc's ends lie a little outside the circle, so that the polygon
        // keeps the circle's area: by about 1 + step^2 / 12.
        outside_ = radius * (1 + (1 - cos_) / 6);
    }

    void to(Point p)
    {
        if (started_) {
            raster_.line(last_, p);
        } else {
            first_ = p;
            started_ = true;
        }
        last_ = p;
    }

    // Around `centre` from the unit direction `from` to `to`, turning the way of negative
    // angles (clockwise on screen), by at most half a turn.
    void arc(Point centre, Point from, Point to_dir)
    {
        to(centre + from * radius_);
        Point v = from;
        for (int i = 0; i < kMaxCurveSegments; ++i) {
            // Done once the end is no more than a step ahead.
            if (cross(v, to_dir) <= 0 && dot(v, to_dir) >= cos_) break;
            v = {v.x * cos_ + v.y * sin_, v.y * cos_ - v.x * sin_};
            to(centre + v * outside_);
        }
        to(centre + to_dir * radius_);
    }

    void close()
    {
        if (started_) raster_.line(last_, first_);
        started_ = false;
    }

private:
    Rasterizer& raster_;
    float radius_;
    float cos_, sin_; // of one arc step
    float outside_;
    bool started_ = false;
    Point first_, last_;
};

// One side of the pieces, left of their direction: a round join where it is the outer side of
// a turn; on the inner side, the corner where both offset edges meet.
void side(Outline& out, const std::vector<Piece>& pieces, float radius, bool closed)
{
    const std::size_t n = pieces.size();
    if (!closed) out.to(pieces[0].from + left_of(pieces[0].dir) * radius);
    for (std::size_t i = 0; i < n; ++i) {
        const Piece& p = pieces[i];
        const Point a = left_of(p.dir);
        if (i + 1 == n && !closed) {
            out.to(p.to + a * radius);
            break;
        }
        const Piece& next = pieces[(i + 1) % n];
        const Point b = left_of(next.dir);
        const float turn = cross(p.dir, next.dir), along = dot(p.dir, next.dir);
        if (turn <= 0) {
            out.arc(p.to, a, b);
        } else if (radius * turn <= std::min(p.length, next.length) * (1 + along)) {
            // The offset edges meet within both pieces (radius * tan(turn / 2) from the corner).
            out.to(p.to + (a + b) * (radius / (1 + along)));
        } else {
            // Pieces too short for their edges to meet: through the corner itself, which the
            // non-zero rule fills over, only a little too strongly at the very corner.
            out.to(p.to + a * radius);
            out.to(p.to);
            out.to(p.to + b * radius);
        }
    }
}

std::vector<Piece> pieces_of(std::span<const Point> points)
{
    std::vector<Piece> pieces;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point a = points[i - 1], b = points[i];
        const float length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
        if (!(length > 0) || !std::isfinite(length)) continue;
        pieces.push_back({a, b, {(b.x - a.x) / length, (b.y - a.y) / length}, length});
    }
    return pieces;
}

} // namespace

void stroke(std::span<const Point> points, float width, Rasterizer& raster)
{
    if (points.size() < 2 || !(width > 0)) return;
    const float radius = std::min(width / 2, kMaxHalfWidth);
    std::vector<Piece> pieces = pieces_of(points);
    if (pieces.empty()) return;
    const bool closed = points.front().x == points.back().x && points.front().y == points.back().y;

    Outline out(raster, radius);
    side(out, pieces, radius, closed);
    if (closed) {
        out.close();
    } else {
        const Point end = left_of(pieces.back().dir);
        out.arc(pieces.back().to, end, end * -1);
    }
    // Back along the other side: the same pieces reversed are its left.
    std::vector<Piece> back(pieces.rbegin(), pieces.rend());
    for (Piece& p : back) {
        std::swap(p.from, p.to);
        p.dir = p.dir * -1;
    }
    side(out, back, radius, closed);
    if (!closed) {
        const Point start = left_of(back.back().dir);
        out.arc(back.back().to, start, start * -1);
    }
    out.close();
}

} // namespace movie
