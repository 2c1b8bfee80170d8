// A shape as drawn: its fill and line styles, its edges in twips, and the order of its fills and
// strokes; read from a DefineShape tag of any of the four kinds.
#pragma once

#include "movie/bits.h"
#include "movie/geometry.h"
#include "movie/limits.h"

#include <array>
#include <cstdint>
#include <vector>

namespace movie {

enum class FillKind : std::uint8_t { none, solid, linear, radial };

struct Gradient {
    std::uint8_t spread = 0; // 0 pad, 1 reflect, 2 repeat
    std::uint8_t count = 0;
    std::array<std::uint8_t, kMaxGradientStops> ratios{};
    std::array<Rgba, kMaxGradientStops> colours{};
};

struct FillStyle {
    FillKind kind = FillKind::none; // none: a bitmap fill, whose bitmaps are not read
    Rgba colour;
    Matrix matrix; // the gradient's square, -16384..16384 twips, into the shape
    Gradient gradient;
};

struct LineStyle {
    float width = 0; // twips; 0 is a hairline
    Rgba colour;
};

// One straight or curved edge, in twips.
struct Segment {
    Point from, control, to;
    bool curve = false;
};

// A run of edges that join end to end.
struct Path {
    std::uint32_t begin = 0, end = 0; // into Shape::segments
};

// What the shape paints, in order: the fill of one style over all its edges, or one line style's
// strokes.
struct DrawItem {
    bool stroke = false;
    std::uint32_t style = 0;          // into Shape::fills or Shape::lines
    std::uint32_t begin = 0, end = 0; // into Shape::paths
};

struct Shape {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<Segment> segments;
    std::vector<Path> paths;
    std::vector<DrawItem> items;
    bool non_zero = false; // the fill rule: even-odd unless the shape asks otherwise
};

// The tag kinds a shape comes in; each later one adds to the one before.
inline constexpr int kDefineShape = 2;
inline constexpr int kDefineShape2 = 22;
inline constexpr int kDefineShape3 = 32;
inline constexpr int kDefineShape4 = 83;

// Reads a DefineShape body past its character id. False when it is malformed or over a limit;
// `edges` counts the edges read, for the movie's own limit.
bool read_shape(Bits& in, int tag_code, Shape& shape, std::size_t& edges);

// A matrix and a colour transform as the format stores them; also used by placements.
Matrix read_matrix(Bits& in);
ColourTransform read_colour_transform(Bits& in, bool with_alpha);

} // namespace movie
