// Reads DefineShape tags: the style tables, the edge records, and the two-sided fill model turned
// into one set of edges per fill style.
#include "movie/shape.h"

namespace movie {
namespace {

constexpr int kNone = -1;

// An edge as recorded: the styles on its left (fill 0) and right (fill 1) and its line style, as
// indices into the shape's whole style lists.
struct Edge {
    Segment segment;
    int fill0 = kNone, fill1 = kNone, line = kNone;
};

Rgba read_colour(Bits& in, bool alpha)
{
    Rgba c;
    c.r = in.u8();
    c.g = in.u8();
    c.b = in.u8();
    if (alpha) c.a = in.u8();
    return c;
}

void skip_rect(Bits& in)
{
    in.align();
    const int bits = static_cast<int>(in.ub(5));
    for (int i = 0; i < 4; ++i) in.sb(bits);
}

bool read_fill(Bits& in, bool alpha, FillStyle& fill)
{
    const int type = in.u8();
    if (type == 0x00) {
        fill.kind = FillKind::solid;
        fill.colour = read_colour(in, alpha);
    } else if (type == 0x10 || type == 0x12 || type == 0x13) {
        // A focal gradient (0x13) is drawn as a plain radial one.
        fill.kind = type == 0x10 ? FillKind::linear : FillKind::radial;
        fill.matrix = read_matrix(in);
        Gradient& g = fill.gradient;
        g.spread = static_cast<std::uint8_t>(in.ub(2));
        in.ub(2); // interpolation: always in the stored colours
        g.count = static_cast<std::uint8_t>(in.ub(4));
        for (int i = 0; i < g.count; ++i) {
            g.ratios[i] = in.u8();
            g.colours[i] = read_colour(in, alpha);
        }
        if (type == 0x13) in.u16();
    } else if (type >= 0x40 && type <= 0x43) {
        in.u16(); // the bitmap, which is never read: the fill paints nothing
        read_matrix(in);
        fill.kind = FillKind::none;
    } else {
        return false;
    }
    return !in.failed();
}

// A line drawn with a fill takes that fill's colour, or its first stop's.
Rgba fill_colour(const FillStyle& fill)
{
    if (fill.kind == FillKind::solid) return fill.colour;
    if (fill.kind != FillKind::none && fill.gradient.count > 0) return fill.gradient.colours[0];
    return {0, 0, 0, 0};
}

bool read_line(Bits& in, int version, LineStyle& line)
{
    line.width = in.u16();
    if (version < 4) {
        line.colour = read_colour(in, version >= 3);
        return !in.failed();
    }
    // Caps, joins and scaling flags: lines are always drawn with round caps and joins.
    in.ub(2);
    const unsigned join = in.ub(2);
    const bool has_fill = in.ub(1) != 0;
    in.ub(11);
    if (join == 2) in.u16();
    if (has_fill) {
        FillStyle fill;
        if (!read_fill(in, true, fill)) return false;
        line.colour = fill_colour(fill);
    } else {
        line.colour = read_colour(in, true);
    }
    return !in.failed();
}

bool read_styles(Bits& in, int version, Shape& shape)
{
    std::size_t fills = in.u8();
    if (fills == 0xFF && version >= 2) fills = in.u16();
    if (shape.fills.size() + fills > kMaxShapeStyles) return false;
    for (std::size_t i = 0; i < fills && !in.failed(); ++i) {
        if (!read_fill(in, version >= 3, shape.fills.emplace_back())) return false;
    }
    std::size_t lines = in.u8();
    if (lines == 0xFF) lines = in.u16();
    if (shape.lines.size() + lines > kMaxShapeStyles) return false;
    for (std::size_t i = 0; i < lines && !in.failed(); ++i) {
        if (!read_line(in, version, shape.lines.emplace_back())) return false;
    }
    return !in.failed();
}

// Indices of the keys (styles counted from 0 below `count`, or kNone) grouped by key, each group
// in the order given: a counting sort, as a style table is small.
std::vector<std::uint32_t> grouped(const std::vector<int>& keys, std::size_t count)
{
    std::vector<std::uint32_t> next(count + 1, 0);
    for (const int k : keys) {
        if (k != kNone) ++next[k + 1];
    }
    for (std::size_t i = 1; i <= count; ++i) next[i] += next[i - 1];
    std::vector<std::uint32_t> order(next[count]);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != kNone) order[next[keys[i]]++] = static_cast<std::uint32_t>(i);
    }
    return order;
}

int relative(int style, std::size_t base)
{
    return style == kNone ? kNone : style - static_cast<int>(base);
}

// Turns one style table's edges into draw items: the fills in style order, then the strokes.
void finish_layer(const std::vector<Edge>& edges, std::size_t fill_base, std::size_t line_base,
                  Shape& shape)
{
    // Every side of an edge that bounds a fill, turned so that the fill lies on its right: each
    // style's edges then form closed loops of one winding.
    std::vector<int> keys;
    for (const Edge& e : edges) {
        keys.push_back(relative(e.fill1, fill_base));
        keys.push_back(relative(e.fill0, fill_base));
    }
    const std::vector<std::uint32_t> sides = grouped(keys, shape.fills.size() - fill_base);
    for (std::size_t i = 0; i < sides.size();) {
        const int style = keys[sides[i]];
        const auto begin = static_cast<std::uint32_t>(shape.segments.size());
        for (; i < sides.size() && keys[sides[i]] == style; ++i) {
            const Segment& s = edges[sides[i] / 2].segment;
            shape.segments.push_back(sides[i] % 2 ? Segment{s.to, s.control, s.from, s.curve} : s);
        }
        const auto path = static_cast<std::uint32_t>(shape.paths.size());
        shape.paths.push_back({begin, static_cast<std::uint32_t>(shape.segments.size())});
        shape.items.push_back(
            {false, static_cast<std::uint32_t>(style + fill_base), path, path + 1});
    }

    // Strokes: each line style's edges, in the order drawn, split where one does not start
    // where the last ended, so that joins and caps fall where the pen turned or lifted.
    keys.clear();
    for (const Edge& e : edges) keys.push_back(relative(e.line, line_base));
    const std::vector<std::uint32_t> lined = grouped(keys, shape.lines.size() - line_base);
    for (std::size_t i = 0; i < lined.size();) {
        const int style = keys[lined[i]];
        const auto first_path = static_cast<std::uint32_t>(shape.paths.size());
        for (; i < lined.size() && keys[lined[i]] == style; ++i) {
            const Segment& s = edges[lined[i]].segment;
            const bool joins = shape.paths.size() > first_path &&
                               shape.segments.back().to.x == s.from.x &&
                               shape.segments.back().to.y == s.from.y;
            shape.segments.push_back(s);
            const auto end = static_cast<std::uint32_t>(shape.segments.size());
            if (joins) {
                shape.paths.back().end = end;
            } else {
                shape.paths.push_back({end - 1, end});
            }
        }
        shape.items.push_back({true, static_cast<std::uint32_t>(style + line_base), first_path,
                               static_cast<std::uint32_t>(shape.paths.size())});
    }
}

int style_index(std::uint32_t index, std::size_t base, std::size_t count)
{
    return index == 0 || base + index > count ? kNone : static_cast<int>(base + index - 1);
}

} // namespace

Matrix read_matrix(Bits& in)
{
    in.align();
    Matrix m;
    if (in.ub(1)) {
        const int bits = static_cast<int>(in.ub(5));
        m.a = in.fb(bits);
        m.d = in.fb(bits);
    }
    if (in.ub(1)) {
        const int bits = static_cast<int>(in.ub(5));
        m.b = in.fb(bits);
        m.c = in.fb(bits);
    }
    const int bits = static_cast<int>(in.ub(5));
    m.tx = static_cast<float>(in.sb(bits));
    m.ty = static_cast<float>(in.sb(bits));
    in.align();
    return m;
}

ColourTransform read_colour_transform(Bits& in, bool with_alpha)
{
    in.align();
    ColourTransform t;
    const bool add = in.ub(1) != 0;
    const bool mul = in.ub(1) != 0;
    const int bits = static_cast<int>(in.ub(4));
    const int channels = with_alpha ? 4 : 3;
    if (mul) {
        for (int i = 0; i < channels; ++i) t.mul[i] = static_cast<float>(in.sb(bits)) / 256.0f;
    }
    if (add) {
        for (int i = 0; i < channels; ++i) t.add[i] = static_cast<float>(in.sb(bits));
    }
    in.align();
    return t;
}

bool read_shape(Bits& in, int tag_code, Shape& shape, std::size_t& edges)
{
    const int version = tag_code == kDefineShape4   ? 4
                        : tag_code == kDefineShape3 ? 3
                        : tag_code == kDefineShape2 ? 2
                                                    : 1;
    skip_rect(in);
    if (version == 4) {
        skip_rect(in);
        shape.non_zero = (in.u8() & 0x04) != 0;
    }
    if (!read_styles(in, version, shape)) return false;
    int fill_bits = static_cast<int>(in.ub(4));
    int line_bits = static_cast<int>(in.ub(4));
    std::size_t fill_base = 0, line_base = 0;
    int fill0 = kNone, fill1 = kNone, line = kNone;
    std::int64_t x = 0, y = 0;
    std::size_t shape_edges = 0;
    std::vector<Edge> layer;
    while (!in.failed()) {
        if (in.ub(1) == 0) {
            const unsigned flags = in.ub(5);
            if (flags == 0) break; // the end of the shape
            if (flags & 0x01) {
                const int bits = static_cast<int>(in.ub(5));
                x = in.sb(bits);
                y = in.sb(bits);
            }
            const std::uint32_t new_fill0 = flags & 0x02 ? in.ub(fill_bits) : 0;
            const std::uint32_t new_fill1 = flags & 0x04 ? in.ub(fill_bits) : 0;
            const std::uint32_t new_line = flags & 0x08 ? in.ub(line_bits) : 0;
            if (flags & 0x10) {
                // A new style table: the indices in this record, and from here on, refer to it.
                finish_layer(layer, fill_base, line_base, shape);
                layer.clear();
                fill_base = shape.fills.size();
                line_base = shape.lines.size();
                if (!read_styles(in, version, shape)) return false;
                fill_bits = static_cast<int>(in.ub(4));
                line_bits = static_cast<int>(in.ub(4));
                fill0 = fill1 = line = kNone;
            }
            if (flags & 0x02) fill0 = style_index(new_fill0, fill_base, shape.fills.size());
            if (flags & 0x04) fill1 = style_index(new_fill1, fill_base, shape.fills.size());
            if (flags & 0x08) line = style_index(new_line, line_base, shape.lines.size());
            continue;
        }
        Edge e{{}, fill0, fill1, line};
        e.segment.from = {static_cast<float>(x), static_cast<float>(y)};
        const bool straight = in.ub(1) != 0;
        const int bits = static_cast<int>(in.ub(4)) + 2;
        if (straight) {
            const bool general = in.ub(1) != 0;
            const bool vertical = !general && in.ub(1) != 0;
            const std::int32_t dx = general || !vertical ? in.sb(bits) : 0;
            const std::int32_t dy = general || vertical ? in.sb(bits) : 0;
            x += dx;
            y += dy;
            e.segment.to = {static_cast<float>(x), static_cast<float>(y)};
        } else {
            x += in.sb(bits);
            y += in.sb(bits);
            e.segment.control = {static_cast<float>(x), static_cast<float>(y)};
            x += in.sb(bits);
            y += in.sb(bits);
            e.segment.to = {static_cast<float>(x), static_cast<float>(y)};
            e.segment.curve = true;
        }
        // An edge with no style only moves the pen.
        if (e.fill0 == kNone && e.fill1 == kNone && e.line == kNone) continue;
        if (++shape_edges > kMaxShapeEdges || ++edges > kMaxMovieEdges) return false;
        layer.push_back(e);
    }
    if (in.failed()) return false;
    finish_layer(layer, fill_base, line_base, shape);
    return true;
}

} // namespace movie
