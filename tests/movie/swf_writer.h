// Writes small movie files for the tests: bit fields, records, tags, shapes and placements; and
// draws a player's frame.
#pragma once

#include "movie/player.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace movie_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes u16(unsigned value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

inline Bytes u32(std::uint32_t value)
{
    return u16(value & 0xFFFF) + u16(value >> 16);
}

// Bits a signed field needs for all of `values`.
inline int signed_bits(std::initializer_list<std::int32_t> values)
{
    int bits = 1;
    for (std::int32_t v : values)
        while (v >= (1 << (bits - 1)) || v < -(1 << (bits - 1))) ++bits;
    return bits;
}

class BitWriter {
public:
    BitWriter& ub(std::uint32_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            if (used_ == 0) out_.push_back(0);
            out_.back() |= static_cast<std::uint8_t>(((value >> i) & 1) << (7 - used_));
            used_ = (used_ + 1) % 8;
        }
        return *this;
    }
    BitWriter& sb(std::int32_t value, int bits) { return ub(std::uint32_t(value), bits); }
    // Signed fields of one width, which comes first in five bits.
    BitWriter& sized(std::initializer_list<std::int32_t> values)
    {
        const int n = signed_bits(values);
        ub(n, 5);
        for (std::int32_t v : values) sb(v, n);
        return *this;
    }
    Bytes done() const { return out_; }

private:
    Bytes out_;
    int used_ = 0; // bits of the last byte written
};

inline Bytes rect(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1)
{
    return BitWriter().sized({x0, x1, y0, y1}).done();
}

// Translation in twips, scale and skew as plain factors.
struct Transform {
    std::int32_t tx = 0, ty = 0;
    double sx = 1, sy = 1, r0 = 0, r1 = 0;
};

inline Bytes matrix(const Transform& t)
{
    const auto fixed = [](double v) { return static_cast<std::int32_t>(std::lround(v * 65536)); };
    const bool scaled = t.sx != 1 || t.sy != 1, skewed = t.r0 != 0 || t.r1 != 0;
    BitWriter b;
    b.ub(scaled, 1);
    if (scaled) b.sized({fixed(t.sx), fixed(t.sy)});
    b.ub(skewed, 1);
    if (skewed) b.sized({fixed(t.r0), fixed(t.r1)});
    return b.sized({t.tx, t.ty}).done();
}

// Multiply terms as factors (1 = unchanged), add terms in 0..255; with alpha.
inline Bytes colour_transform(std::initializer_list<double> mul, std::initializer_list<int> add)
{
    BitWriter b;
    b.ub(add.size() > 0, 1).ub(mul.size() > 0, 1).ub(15, 4);
    for (double m : mul) b.sb(static_cast<std::int32_t>(std::lround(m * 256)), 15);
    for (int a : add) b.sb(a, 15);
    return b.done();
}

inline Bytes tag(int code, const Bytes& body)
{
    if (body.size() < 0x3F) return u16(code << 6 | static_cast<unsigned>(body.size())) + body;
    return u16(code << 6 | 0x3F) + u32(static_cast<std::uint32_t>(body.size())) + body;
}

// Style tables as DefineShape3 stores them (colours with alpha).
inline Bytes rgba(std::uint32_t c)
{
    return {static_cast<std::uint8_t>(c >> 24), static_cast<std::uint8_t>(c >> 16),
            static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

inline Bytes solid(std::uint32_t c)
{
    return Bytes{0x00} + rgba(c);
}

inline Bytes gradient(int type, const Transform& t,
                      std::initializer_list<std::pair<int, std::uint32_t>> stops)
{
    Bytes out = Bytes{static_cast<std::uint8_t>(type)} + matrix(t);
    out.push_back(static_cast<std::uint8_t>(stops.size()));
    for (const auto& [ratio, colour] : stops) out = out + Bytes{std::uint8_t(ratio)} + rgba(colour);
    return out;
}

inline Bytes styles(std::initializer_list<Bytes> fills,
                    std::initializer_list<std::pair<int, std::uint32_t>> lines)
{
    Bytes out{static_cast<std::uint8_t>(fills.size())};
    for (const Bytes& f : fills) out = out + f;
    out.push_back(static_cast<std::uint8_t>(lines.size()));
    for (const auto& [width, colour] : lines) out = out + u16(width) + rgba(colour);
    return out;
}

// A shape's edge records, in twips, with four-bit style indices; styles index the table in
// force, 0 for none.
class ShapeWriter {
public:
    explicit ShapeWriter(Bytes styles) : styles_(std::move(styles)) { bits_.ub(0x44, 8); }

    ShapeWriter& move(std::int32_t x, std::int32_t y, int fill0, int fill1, int line)
    {
        bits_.ub(0b001111, 6).sized({x, y}).ub(fill0, 4).ub(fill1, 4).ub(line, 4);
        pen_ = {x, y};
        return *this;
    }
    ShapeWriter& line(std::int32_t x, std::int32_t y)
    {
        const std::int32_t dx = x - pen_.first, dy = y - pen_.second;
        const int n = std::max(2, signed_bits({dx, dy}));
        bits_.ub(0b11, 2).ub(n - 2, 4).ub(1, 1).sb(dx, n).sb(dy, n);
        pen_ = {x, y};
        return *this;
    }
    ShapeWriter& curve(std::int32_t cx, std::int32_t cy, std::int32_t x, std::int32_t y)
    {
        const std::int32_t a = cx - pen_.first, b = cy - pen_.second, c = x - cx, d = y - cy;
        const int n = std::max(2, signed_bits({a, b, c, d}));
        bits_.ub(0b10, 2).ub(n - 2, 4).sb(a, n).sb(b, n).sb(c, n).sb(d, n);
        pen_ = {x, y};
        return *this;
    }
    // A closed rectangle from the pen's place, clockwise on screen.
    ShapeWriter& box(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, int fill1)
    {
        return move(x0, y0, 0, fill1, 0).line(x1, y0).line(x1, y1).line(x0, y1).line(x0, y0);
    }
    // The DefineShape3 (or another kind) tag for character `id`.
    Bytes tag(int id, int code = 32, std::optional<std::uint8_t> shape4_flags = {}) const
    {
        Bytes body = u16(id) + rect(0, 0, 0, 0);
        if (shape4_flags) body = body + rect(0, 0, 0, 0) + Bytes{*shape4_flags};
        return movie_test::tag(code, body + styles_ + BitWriter(bits_).ub(0, 6).done());
    }

private:
    Bytes styles_;
    BitWriter bits_;
    std::pair<std::int32_t, std::int32_t> pen_{0, 0};
};

// A rectangle of one colour, as DefineShape3.
inline Bytes box_shape(int id, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                       std::uint32_t colour)
{
    return ShapeWriter(styles({solid(colour)}, {})).box(x0, y0, x1, y1, 1).tag(id);
}

struct Place {
    int depth = 1;
    std::optional<int> character{};
    bool move = false;
    std::optional<Transform> at{};
    std::optional<int> clip_depth{};
    Bytes colour{}; // a colour transform with alpha, or none
};

inline Bytes place(const Place& p)
{
    const Bytes character = p.character ? u16(*p.character) : Bytes{};
    const Bytes at = p.at ? matrix(*p.at) : Bytes{};
    const Bytes clip = p.clip_depth ? u16(*p.clip_depth) : Bytes{};
    const int flags = p.move | !character.empty() << 1 | !at.empty() << 2 | !p.colour.empty() << 3 |
                      !clip.empty() << 6;
    return tag(26, Bytes{std::uint8_t(flags)} + u16(p.depth) + character + at + p.colour + clip);
}

inline const Bytes kShowFrame = tag(1, {});

inline Bytes remove(int depth)
{
    return tag(28, u16(depth));
}

// A script of one Stop.
inline const Bytes kStop = tag(12, {0x07, 0x00});

inline Bytes sprite(int id, int frames, const Bytes& tags)
{
    return tag(39, u16(id) + u16(frames) + tags + tag(0, {}));
}

// A whole uncompressed movie: the stage in pixels, frame rate 8.8, the tags (End appended).
inline Bytes swf(int width, int height, int frames, const Bytes& tags, unsigned rate = 12 << 8)
{
    const Bytes body =
        rect(0, width * 20, 0, height * 20) + u16(rate) + u16(frames) + tags + tag(0, {});
    return Bytes{'F', 'W', 'S', 8} + u32(static_cast<std::uint32_t>(body.size() + 8)) + body;
}

// The same, zlib-compressed.
inline Bytes compressed(const Bytes& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    Bytes packed(size);
    compress(packed.data(), &size, plain.data() + 8, static_cast<uLong>(plain.size() - 8));
    packed.resize(size);
    return Bytes{'C'} + Bytes(plain.begin() + 1, plain.begin() + 8) + packed;
}

// The frame, in pixels that start out as no colour the player draws.
inline std::vector<std::uint32_t> picture(const movie::Player& player, int width = 10,
                                          int height = 10)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xFF000000);
    player.render(pixels.data(), width, height, width);
    return pixels;
}

} // namespace movie_test
