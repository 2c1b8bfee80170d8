// Widens polylines into closed outlines: one side forward, a cap, the other side back, a cap.
#include "movie/stroke.h"

#include "movie/limits.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace movie {
namespace {

constexpr float kPi = 3.14159265f;

// Strokes wider than this are surely broken data; capping keeps the arcs' sizes sane.
constexpr float kMaxHalfWidth = 1e5f;

class Outline {
public:
    Outline(Rasterizer& raster, float radius) : raster_(raster), radius_(radius)
    {
        // Arc steps whose chords stay within 1/16 px of the circle: caps of thin lines are
        // small circles, whose area a coarser polygon would visibly lose.
        const float cosine = 1 - 0.0625f / radius;
        step_ = cosine > -1 ? 2 * std::acos(cosine) : kPi;
        step_ = std::max(step_, 2 * kPi / kMaxCurveSegments);
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

    // Around `centre` from the direction `from_angle`, turning by `sweep` radians. The points
    // between the ends lie a little outside the circle, so that the polygon keeps its area.
    void arc(Point centre, float from_angle, float sweep)
    {
        const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / step_)));
        const float step = std::fabs(sweep) / steps;
        const float outside = step > 1e-3f ? radius_ * std::sqrt(step / std::sin(step)) : radius_;
        for (int i = 0; i <= steps; ++i) {
            const float angle = from_angle + sweep * static_cast<float>(i) / steps;
            const float r = i == 0 || i == steps ? radius_ : outside;
            to({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
        }
    }

    void close()
    {
        if (started_) raster_.line(last_, first_);
        started_ = false;
    }

private:
    Rasterizer& raster_;
    float radius_;
    float step_;
    bool started_ = false;
    Point first_, last_;
};

struct Piece {
    Point from, to;
    float angle; // of the direction from -> to
    float length;
};

Point offset(Point p, float angle, float radius)
{
    return {p.x - radius * std::sin(angle), p.y + radius * std::cos(angle)};
}

// One side of the pieces, left of their direction: a round join where it is the outer side of
// a turn; on the inner side, the corner where both offset edges meet.
void side(Outline& out, const std::vector<Piece>& pieces, float radius, bool closed)
{
    const std::size_t n = pieces.size();
    if (!closed) out.to(offset(pieces[0].from, pieces[0].angle, radius));
    for (std::size_t i = 0; i < n; ++i) {
        const Piece& p = pieces[i];
        if (i + 1 == n && !closed) {
            out.to(offset(p.to, p.angle, radius));
            break;
        }
        const Piece& next = pieces[(i + 1) % n];
        const float turn = std::remainder(next.angle - p.angle, 2 * kPi);
        if (turn <= 0) {
            out.arc(p.to, p.angle + kPi / 2, turn);
        } else if (radius * std::tan(turn / 2) <= std::min(p.length, next.length)) {
            const Point a = offset({}, p.angle, radius), b = offset({}, next.angle, radius);
            const float along = 1 / (1 + std::cos(turn));
            out.to({p.to.x + (a.x + b.x) * along, p.to.y + (a.y + b.y) * along});
        } else {
            // Pieces too short for their edges to meet: through the corner itself, which the
            // non-zero rule fills over, only a little too strongly at the very corner.
            out.to(offset(p.to, p.angle, radius));
            out.to(p.to);
            out.to(offset(p.to, next.angle, radius));
        }
    }
}

std::vector<Piece> pieces_of(std::span<const Point> points)
{
    std::vector<Piece> pieces;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point a = points[i - 1], b = points[i];
        if (a.x == b.x && a.y == b.y) continue;
        pieces.push_back(
            {a, b, std::atan2(b.y - a.y, b.x - a.x), std::hypot(b.x - a.x, b.y - a.y)});
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
    if (closed) out.close();
    // Back along the other side: the same pieces reversed are its left.
    else
        out.arc(pieces.back().to, pieces.back().angle + kPi / 2, -kPi);
    std::vector<Piece> back(pieces.rbegin(), pieces.rend());
    for (Piece& p : back) {
        std::swap(p.from, p.to);
        p.angle += kPi;
    }
    side(out, back, radius, closed);
    if (!closed) out.arc(back.back().to, back.back().angle + kPi / 2, -kPi);
    out.close();
}

} // namespace movie
