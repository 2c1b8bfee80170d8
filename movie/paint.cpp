// Solid colours and gradients: the ramp built from the stops, the spread modes, and source-over
// compositing of coverage.
#include "movie/paint.h"

#include <cmath>

namespace movie {
namespace {

// The gradient square's half side, in twips.
constexpr float kSquare = 16384;

// From a to b by t / 256.
Rgba mix(Rgba a, Rgba b, int t)
{
    const auto channel = [t](int x, int y) {
        return static_cast<std::uint8_t>(x + (((y - x) * t + 128) >> 8));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), channel(a.a, b.a)};
}

void build_ramp(const Gradient& g, const ColourTransform& transform, std::array<Rgba, 256>& ramp)
{
    Rgba colours[kMaxGradientStops];
    for (int i = 0; i < g.count; ++i) colours[i] = apply(transform, g.colours[i]);
    int stop = 0;
    for (int i = 0; i < 256; ++i) {
        while (stop < g.count && g.ratios[stop] < i) ++stop;
        if (stop == 0) {
            ramp[i] = colours[0];
        } else if (stop == g.count) {
            ramp[i] = colours[g.count - 1];
        } else {
            const int from = g.ratios[stop - 1], to = g.ratios[stop];
            ramp[i] = mix(colours[stop - 1], colours[stop], (i - from) * 256 / (to - from));
        }
    }
}

// A position along the gradient, 0..1 at its ends, spread past them as the fill asks.
int ramp_index(float t, int spread)
{
    if (spread == 2) {
        t -= std::floor(t);
    } else if (spread == 1) {
        t = std::fabs(t - 2 * std::floor(t / 2));
        if (t > 1) t = 2 - t;
    }
    if (!(t > 0)) return 0; // NaN too
    return t < 1 ? static_cast<int>(t * 256) : 255;
}

} // namespace

bool make_paint(const FillStyle& fill, const Matrix& shape_to_pixels,
                const ColourTransform& transform, Paint& paint)
{
    paint.kind = fill.kind;
    if (fill.kind == FillKind::solid) {
        paint.colour = apply(transform, fill.colour);
        return paint.colour.a > 0;
    }
    if (fill.kind == FillKind::none || fill.gradient.count == 0) return false;
    build_ramp(fill.gradient, transform, paint.ramp);
    paint.spread = fill.gradient.spread;
    // A gradient squashed to nothing shows its last colour, as its square's far side.
    if (!invert(multiply(shape_to_pixels, fill.matrix), paint.to_square)) {
        paint.kind = FillKind::solid;
        paint.colour = paint.ramp[255];
    }
    return true;
}

Rgba paint_at(const Paint& paint, int x, int y)
{
    if (paint.kind == FillKind::solid) return paint.colour;
    const Point p =
        apply(paint.to_square, {static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
    const float t = paint.kind == FillKind::linear ? (p.x + kSquare) / (2 * kSquare)
                                                   : std::sqrt(p.x * p.x + p.y * p.y) / kSquare;
    return paint.ramp[ramp_index(t, paint.spread)];
}

void composite(const Paint& paint, const Span& span, const std::uint8_t* mask, std::uint32_t* row)
{
    for (int i = 0; i < span.count; ++i) {
        const int x = span.x + i;
        float cover = span.coverage[i];
        if (mask) cover *= static_cast<float>(mask[x]) * (1.0f / 255);
        if (cover <= 0) continue;
        const Rgba c = paint_at(paint, x, span.y);
        // The paint's weight over what is there, in 1/65536.
        const int a = static_cast<int>(cover * static_cast<float>(c.a) * 257);
        std::uint32_t& p = row[x];
        const auto over = [a](std::uint32_t under, int top) {
            const int u = static_cast<int>(under & 0xFF);
            return static_cast<std::uint32_t>(u + (((top - u) * a + 32768) >> 16));
        };
        p = over(p >> 16, c.r) << 16 | over(p >> 8, c.g) << 8 | over(p, c.b);
    }
}

} // namespace movie
