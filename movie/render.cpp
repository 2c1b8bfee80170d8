// Walks the display tree: shapes are rasterised fill by fill and stroke by stroke, sprites are
// entered with their matrix and colour transform, clip layers become masks for the depths above.
#include "movie/render.h"

#include "movie/limits.h"
#include "movie/paint.h"
#include "movie/raster.h"
#include "movie/stroke.h"

#include <algorithm>
#include <vector>

namespace movie {
namespace {

using Mask = std::vector<std::uint8_t>;

class Renderer {
public:
    Renderer(const Movie& movie, const Canvas& canvas)
        : movie_(movie), canvas_(canvas), raster_(canvas.width, canvas.height)
    {
    }

    // Draws into the canvas, or, with `cover`, only adds the objects' outlines to that mask.
    void draw_list(const std::vector<Instance>& list, const Matrix& matrix,
                   const ColourTransform& colour, const Mask* mask, Mask* cover, int nesting);

private:
    struct Clip {
        std::uint16_t last_depth;
        Mask coverage;
    };

    void draw_object(const Instance& object, const Matrix& matrix, const ColourTransform& colour,
                     const Mask* mask, Mask* cover, int nesting);
    void draw_shape(const Shape& shape, const Matrix& matrix, const ColourTransform& colour,
                    const Mask* mask, Mask* cover);
    void outline(const Shape& shape, const DrawItem& item, const Matrix& matrix);
    bool over_budget() const
    {
        return raster_.lines() > kMaxFrameLines || objects_ > kMaxFrameObjects ||
               raster_.swept() > std::int64_t{kMaxFrameSweeps} * canvas_.width * canvas_.height;
    }
    Mask combined(const Mask* outer, const std::vector<Clip>& clips) const;

    const Movie& movie_;
    const Canvas& canvas_;
    Rasterizer raster_;
    std::vector<Point> points_;
    std::size_t objects_ = 0;
    int clips_in_force_ = 0;
    int clips_drawn_ = 0;
};

void Renderer::draw_list(const std::vector<Instance>& list, const Matrix& matrix,
                         const ColourTransform& colour, const Mask* mask, Mask* cover, int nesting)
{
    std::vector<Clip> clips;
    Mask clipped; // `mask` and every clip in force at this level
    const Mask* current = mask;
    int hidden_through = 0; // the depths of a clip layer past the limits, which hides them
    for (const Instance& object : list) {
        if (over_budget()) break;
        if (object.depth <= hidden_through) {
            hidden_through = std::max<int>(hidden_through, object.clip_depth);
            continue;
        }
        const auto ended = [&](const Clip& c) { return c.last_depth < object.depth; };
        if (std::any_of(clips.begin(), clips.end(), ended)) {
            clips_in_force_ -= static_cast<int>(std::count_if(clips.begin(), clips.end(), ended));
            clips.erase(std::remove_if(clips.begin(), clips.end(), ended), clips.end());
            clipped = combined(mask, clips);
            current = clips.empty() ? mask : &clipped;
        }
        if (object.clip_depth == 0) {
            draw_object(object, matrix, colour, current, cover, nesting);
            continue;
        }
        // A clip layer is not drawn: its outline masks the depths above it, up to its last.
        if (object.clip_depth <= object.depth) continue;
        if (clips_in_force_ >= kMaxClipLayers || clips_drawn_ >= kMaxFrameClips) {
            hidden_through = object.clip_depth;
            continue;
        }
        ++clips_in_force_;
        ++clips_drawn_;
        Clip& clip = clips.emplace_back();
        clip.last_depth = object.clip_depth;
        clip.coverage.assign(static_cast<std::size_t>(canvas_.width) * canvas_.height, 0);
        draw_object(object, matrix, colour, nullptr, &clip.coverage, nesting);
        clipped = combined(mask, clips);
        current = &clipped;
    }
    clips_in_force_ -= static_cast<int>(clips.size());
}

Mask Renderer::combined(const Mask* outer, const std::vector<Clip>& clips) const
{
    Mask out = outer ? *outer : Mask(static_cast<std::size_t>(canvas_.width) * canvas_.height, 255);
    for (const Clip& clip : clips) {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = static_cast<std::uint8_t>((out[i] * clip.coverage[i] + 127) / 255);
    }
    return out;
}

void Renderer::draw_object(const Instance& object, const Matrix& matrix,
                           const ColourTransform& colour, const Mask* mask, Mask* cover,
                           int nesting)
{
    ++objects_;
    const Matrix m = multiply(matrix, object.matrix);
    const ColourTransform c = multiply(colour, object.colour);
    switch (object.character.kind) {
    case Character::Kind::shape:
        draw_shape(movie_.shapes[object.character.index], m, c, mask, cover);
        break;
    case Character::Kind::sprite:
        // The display tree is never deeper than kMaxNesting; the check keeps that local.
        if (nesting < kMaxNesting) draw_list(object.children, m, c, mask, cover, nesting + 1);
        break;
    case Character::Kind::nothing: break;
    }
}

void Renderer::draw_shape(const Shape& shape, const Matrix& matrix, const ColourTransform& colour,
                          const Mask* mask, Mask* cover)
{
    const int width = canvas_.width;
    for (const DrawItem& item : shape.items) {
        if (over_budget()) return;
        Paint paint;
        if (!cover) {
            const bool visible =
                item.stroke ? make_paint({FillKind::solid, shape.lines[item.style].colour, {}, {}},
                                         matrix, colour, paint)
                            : make_paint(shape.fills[item.style], matrix, colour, paint);
            if (!visible) continue;
        }
        outline(shape, item, matrix);
        const FillRule rule =
            item.stroke || shape.non_zero ? FillRule::non_zero : FillRule::even_odd;
        if (over_budget()) {
            // An outline cut short is no outline: it is dropped, not drawn.
            raster_.sweep(rule, [](const Span&) {});
            return;
        }
        raster_.sweep(rule, [&](const Span& span) {
            const std::size_t row = static_cast<std::size_t>(span.y) * width;
            const std::uint8_t* mask_row = mask ? mask->data() + row : nullptr;
            if (!cover) {
                composite(paint, span, mask_row,
                          canvas_.pixels + span.y * std::size_t(canvas_.stride));
                return;
            }
            // Outlines of a clip add up: shapes side by side mask as one.
            std::uint8_t* out = cover->data() + row;
            for (int i = 0; i < span.count; ++i) {
                const int x = span.x + i;
                const float c =
                    span.coverage[i] * (mask_row ? static_cast<float>(mask_row[x]) / 255 : 1.0f);
                out[x] =
                    static_cast<std::uint8_t>(std::min(255, out[x] + static_cast<int>(c * 256)));
            }
        });
    }
}

// Hands the rasteriser an item's outline in pixels: a fill's edges as they are, a line's paths
// widened into strokes.
void Renderer::outline(const Shape& shape, const DrawItem& item, const Matrix& matrix)
{
    // Lines narrower than a pixel, hairlines among them, are drawn a pixel wide.
    const float width =
        item.stroke ? std::max(1.0f, shape.lines[item.style].width * mean_scale(matrix)) : 0;
    for (std::uint32_t p = item.begin; p < item.end && !over_budget(); ++p) {
        const Path& path = shape.paths[p];
        points_.clear();
        // A stroke's points become lines only once its path is whole: they count already.
        for (std::uint32_t s = path.begin;
             s < path.end && raster_.lines() + points_.size() <= kMaxFrameLines; ++s) {
            const Segment& seg = shape.segments[s];
            const Point from = apply(matrix, seg.from), to = apply(matrix, seg.to);
            if (!item.stroke) {
                if (seg.curve) {
                    raster_.curve(from, apply(matrix, seg.control), to);
                } else {
                    raster_.line(from, to);
                }
                continue;
            }
            if (points_.empty()) points_.push_back(from);
            if (seg.curve) {
                const Point control = apply(matrix, seg.control);
                const int pieces = curve_pieces(from, control, to);
                for (int i = 1; i < pieces; ++i)
                    points_.push_back(curve_point(from, control, to, fraction(i, pieces)));
            }
            points_.push_back(to);
        }
        if (item.stroke) stroke(points_, width, raster_);
    }
}

} // namespace

void draw(const Movie& movie, const Instance& root, const Matrix& view, const Canvas& canvas)
{
    Renderer renderer(movie, canvas);
    renderer.draw_list(root.children, view, {}, nullptr, nullptr, 0);
}

} // namespace movie
