// The tests' movie writer.
#include "swf_writer.h"

#include <zlib.h>

#include <cmath>

namespace movie_test {

BitWriter& BitWriter::ub(std::uint32_t value, int bits)
{
    for (int i = bits - 1; i >= 0; --i) {
        if (used_ == 0) out_.push_back(0);
        out_.back() |= static_cast<std::uint8_t>(((value >> i) & 1) << (7 - used_));
        used_ = (used_ + 1) % 8;
    }
    return *this;
}

Bytes BitWriter::done()
{
    used_ = 0;
    return std::move(out_);
}

int signed_bits(std::initializer_list<std::int32_t> values)
{
    int bits = 1;
    for (std::int32_t v : values) {
        int n = 1;
        while (v >= (1 << (n - 1)) || v < -(1 << (n - 1))) ++n;
        bits = std::max(bits, n);
    }
    return bits;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes u16(unsigned value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

Bytes u32(std::uint32_t value)
{
    return u16(value & 0xFFFF) + u16(value >> 16);
}

Bytes rect(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1)
{
    const int n = signed_bits({x0, x1, y0, y1});
    return BitWriter().ub(n, 5).sb(x0, n).sb(x1, n).sb(y0, n).sb(y1, n).done();
}

Bytes matrix(const Transform& t)
{
    BitWriter b;
    const auto fixed = [](double v) { return static_cast<std::int32_t>(std::lround(v * 65536)); };
    const bool scaled = t.sx != 1 || t.sy != 1;
    b.ub(scaled, 1);
    if (scaled) {
        const int n = signed_bits({fixed(t.sx), fixed(t.sy)});
        b.ub(n, 5).sb(fixed(t.sx), n).sb(fixed(t.sy), n);
    }
    const bool skewed = t.r0 != 0 || t.r1 != 0;
    b.ub(skewed, 1);
    if (skewed) {
        const int n = signed_bits({fixed(t.r0), fixed(t.r1)});
        b.ub(n, 5).sb(fixed(t.r0), n).sb(fixed(t.r1), n);
    }
    const int n = signed_bits({t.tx, t.ty});
    return b.ub(n, 5).sb(t.tx, n).sb(t.ty, n).done();
}

Bytes colour_transform(std::initializer_list<double> mul, std::initializer_list<int> add)
{
    BitWriter b;
    b.ub(add.size() > 0, 1).ub(mul.size() > 0, 1).ub(15, 4);
    for (double m : mul) b.sb(static_cast<std::int32_t>(std::lround(m * 256)), 15);
    for (int a : add) b.sb(a, 15);
    return b.done();
}

Bytes tag(int code, const Bytes& body)
{
    if (body.size() < 0x3F) return u16(code << 6 | static_cast<unsigned>(body.size())) + body;
    return u16(code << 6 | 0x3F) + u32(static_cast<std::uint32_t>(body.size())) + body;
}

namespace {
Bytes rgba(std::uint32_t c)
{
    return {static_cast<std::uint8_t>(c >> 24), static_cast<std::uint8_t>(c >> 16),
            static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}
} // namespace

Bytes solid(std::uint32_t c)
{
    return Bytes{0x00} + rgba(c);
}

Bytes gradient(int type, const Transform& t,
               std::initializer_list<std::pair<int, std::uint32_t>> stops)
{
    Bytes out = Bytes{static_cast<std::uint8_t>(type)} + matrix(t);
    out.push_back(static_cast<std::uint8_t>(stops.size()));
    for (const auto& [ratio, colour] : stops) out = out + Bytes{std::uint8_t(ratio)} + rgba(colour);
    return out;
}

Bytes styles(std::initializer_list<Bytes> fills,
             std::initializer_list<std::pair<int, std::uint32_t>> lines)
{
    Bytes out{static_cast<std::uint8_t>(fills.size())};
    for (const Bytes& f : fills) out = out + f;
    out.push_back(static_cast<std::uint8_t>(lines.size()));
    for (const auto& [width, colour] : lines) out = out + u16(width) + rgba(colour);
    return out;
}

ShapeWriter::ShapeWriter(Bytes styles, int fill_bits, int line_bits)
    : styles_(std::move(styles)), fill_bits_(fill_bits), line_bits_(line_bits)
{
    bits_.ub(fill_bits, 4).ub(line_bits, 4);
}

ShapeWriter& ShapeWriter::move(std::int32_t x, std::int32_t y, int fill0, int fill1, int line)
{
    const int n = signed_bits({x, y});
    bits_.ub(0, 1).ub(0b01111, 5).ub(n, 5).sb(x, n).sb(y, n);
    bits_.ub(fill0, fill_bits_).ub(fill1, fill_bits_).ub(line, line_bits_);
    x_ = x;
    y_ = y;
    return *this;
}

ShapeWriter& ShapeWriter::new_styles(const Bytes& styles, int fill0, int fill1, int line)
{
    bits_.ub(0, 1).ub(0b11110, 5).ub(fill0, fill_bits_).ub(fill1, fill_bits_).ub(line, line_bits_);
    bits_.align();
    for (std::uint8_t byte : styles) bits_.ub(byte, 8);
    bits_.ub(fill_bits_, 4).ub(line_bits_, 4);
    return *this;
}

ShapeWriter& ShapeWriter::line(std::int32_t x, std::int32_t y)
{
    const std::int32_t dx = x - x_, dy = y - y_;
    const int n = std::max(2, signed_bits({dx, dy}));
    bits_.ub(1, 1).ub(1, 1).ub(n - 2, 4).ub(1, 1).sb(dx, n).sb(dy, n);
    x_ = x;
    y_ = y;
    return *this;
}

ShapeWriter& ShapeWriter::curve(std::int32_t cx, std::int32_t cy, std::int32_t x, std::int32_t y)
{
    const std::int32_t a = cx - x_, b = cy - y_, c = x - cx, d = y - cy;
    const int n = std::max(2, signed_bits({a, b, c, d}));
    bits_.ub(1, 1).ub(0, 1).ub(n - 2, 4).sb(a, n).sb(b, n).sb(c, n).sb(d, n);
    x_ = x;
    y_ = y;
    return *this;
}

ShapeWriter& ShapeWriter::box(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                              int fill1)
{
    return move(x0, y0, 0, fill1, 0).line(x1, y0).line(x1, y1).line(x0, y1).line(x0, y0);
}

Bytes ShapeWriter::tag(int id, int code, std::optional<std::uint8_t> shape4_flags)
{
    Bytes body = u16(id) + rect(0, 0, 0, 0);
    if (shape4_flags) body = body + rect(0, 0, 0, 0) + Bytes{*shape4_flags};
    BitWriter end = bits_;
    end.ub(0, 6);
    return movie_test::tag(code, body + styles_ + end.done());
}

Bytes box_shape(int id, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                std::uint32_t rgba)
{
    return ShapeWriter(styles({solid(rgba)}, {})).box(x0, y0, x1, y1, 1).tag(id);
}

Bytes place(const Place& p)
{
    std::uint8_t flags = p.move ? 0x01 : 0;
    Bytes rest;
    if (p.character) {
        flags |= 0x02;
        rest = rest + u16(*p.character);
    }
    if (p.at) {
        flags |= 0x04;
        rest = rest + matrix(*p.at);
    }
    if (!p.colour.empty()) {
        flags |= 0x08;
        rest = rest + p.colour;
    }
    if (p.clip_depth) {
        flags |= 0x40;
        rest = rest + u16(*p.clip_depth);
    }
    return tag(26, Bytes{flags} + u16(p.depth) + rest);
}

Bytes show_frame()
{
    return tag(1, {});
}

Bytes remove(int depth)
{
    return tag(28, u16(depth));
}

Bytes stop()
{
    return tag(12, {0x07, 0x00});
}

Bytes sprite(int id, int frames, const Bytes& tags)
{
    return tag(39, u16(id) + u16(frames) + tags + tag(0, {}));
}

Bytes swf(int width, int height, int frames, const Bytes& tags, unsigned rate, int version)
{
    const Bytes body =
        rect(0, width * 20, 0, height * 20) + u16(rate) + u16(frames) + tags + tag(0, {});
    return Bytes{'F', 'W', 'S', static_cast<std::uint8_t>(version)} +
           u32(static_cast<std::uint32_t>(body.size() + 8)) + body;
}

Bytes compressed(const Bytes& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    Bytes packed(size);
    compress(packed.data(), &size, plain.data() + 8, static_cast<uLong>(plain.size() - 8));
    packed.resize(size);
    Bytes out(plain.begin(), plain.begin() + 8);
    out[0] = 'C';
    return out + packed;
}

} // namespace movie_test
