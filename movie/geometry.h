// Points, affine matrices, colours and colour transforms: the plain values a movie is made of.
#pragma once

#include <cmath>
#include <cstdint>

namespace movie {

struct Point {
    float x = 0;
    float y = 0;
};

// x' = a x + c y + tx, y' = b x + d y + ty: the movie format's own layout of a matrix.
struct Matrix {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

inline Point apply(const Matrix& m, Point p)
{
    return {m.a * p.x + m.c * p.y + m.tx, m.b * p.x + m.d * p.y + m.ty};
}

// `inner` first, then `outer`: a child's matrix inside its parent's.
inline Matrix multiply(const Matrix& outer, const Matrix& inner)
{
    return {outer.a * inner.a + outer.c * inner.b,
            outer.b * inner.a + outer.d * inner.b,
            outer.a * inner.c + outer.c * inner.d,
            outer.b * inner.c + outer.d * inner.d,
            outer.a * inner.tx + outer.c * inner.ty + outer.tx,
            outer.b * inner.tx + outer.d * inner.ty + outer.ty};
}

// False for a matrix that flattens everything onto a line (or holds a NaN or an infinity).
inline bool invert(const Matrix& m, Matrix& inverse)
{
    const double det = double(m.a) * m.d - double(m.b) * m.c;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
    const double a = m.d / det, b = -m.b / det, c = -m.c / det, d = m.a / det;
    inverse = {float(a),
               float(b),
               float(c),
               float(d),
               float(-(a * m.tx + c * m.ty)),
               float(-(b * m.tx + d * m.ty))};
    return true;
}

// How much a matrix enlarges lengths on average: strokes keep one width whatever the direction.
inline float mean_scale(const Matrix& m)
{
    return (std::sqrt(m.a * m.a + m.b * m.b) + std::sqrt(m.c * m.c + m.d * m.d)) / 2;
}

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

// Each channel (red, green, blue, alpha) becomes channel * mul + add, then is held to 0..255.
struct ColourTransform {
    float mul[4] = {1, 1, 1, 1};
    float add[4] = {0, 0, 0, 0};
};

// `inner` first, then `outer`: a child's colour transform inside its parent's.
inline ColourTransform multiply(const ColourTransform& outer, const ColourTransform& inner)
{
    ColourTransform out;
    for (int i = 0; i < 4; ++i) {
        out.mul[i] = outer.mul[i] * inner.mul[i];
        out.add[i] = outer.mul[i] * inner.add[i] + outer.add[i];
    }
    return out;
}

inline Rgba apply(const ColourTransform& t, Rgba c)
{
    const auto channel = [&](std::uint8_t v, int i) {
        const float x = v * t.mul[i] + t.add[i];
        // Written so that a NaN from an overflowing chain of transforms gives 0, not garbage.
        return static_cast<std::uint8_t>(!(x > 0) ? 0.0f : x < 255 ? x + 0.5f : 255.0f);
    };
    return {channel(c.r, 0), channel(c.g, 1), channel(c.b, 2), channel(c.a, 3)};
}

} // namespace movie
