// Writes small movie files for the tests: bit fields, records, tags, shapes and placements.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace movie_test {

using Bytes = std::vector<std::uint8_t>;

class BitWriter {
public:
    BitWriter& ub(std::uint32_t value, int bits);
    BitWriter& sb(std::int32_t value, int bits)
    {
        return ub(static_cast<std::uint32_t>(value), bits);
    }
    // Whole values and tables start at a byte.
    BitWriter& align()
    {
        used_ = 0;
        return *this;
    }
    Bytes done();

private:
    Bytes out_;
    int used_ = 0; // bits of the last byte written
};

// Bits a signed field needs for all of `values`.
int signed_bits(std::initializer_list<std::int32_t> values);

Bytes operator+(Bytes a, const Bytes& b);
Bytes u16(unsigned value);
Bytes u32(std::uint32_t value);

Bytes rect(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1);
// Translation in twips, scale and skew as plain factors.
struct Transform {
    std::int32_t tx = 0, ty = 0;
    double sx = 1, sy = 1, r0 = 0, r1 = 0;
};
Bytes matrix(const Transform& t);
// Multiply terms as factors (1 = unchanged), add terms in 0..255; with alpha.
Bytes colour_transform(std::initializer_list<double> mul, std::initializer_list<int> add);
Bytes tag(int code, const Bytes& body);

// Style tables as DefineShape3 stores them (colours with alpha).
Bytes solid(std::uint32_t rgba);
Bytes gradient(int type, const Transform& t,
               std::initializer_list<std::pair<int, std::uint32_t>> stops);
Bytes styles(std::initializer_list<Bytes> fills,
             std::initializer_list<std::pair<int, std::uint32_t>> lines);

// A shape's edge records, in twips; styles index the table in force, 0 for none.
class ShapeWriter {
public:
    ShapeWriter(Bytes styles, int fill_bits = 4, int line_bits = 4);
    ShapeWriter& move(std::int32_t x, std::int32_t y, int fill0, int fill1, int line);
    ShapeWriter& new_styles(const Bytes& styles, int fill0, int fill1, int line);
    ShapeWriter& line(std::int32_t x, std::int32_t y);
    ShapeWriter& curve(std::int32_t cx, std::int32_t cy, std::int32_t x, std::int32_t y);
    // A closed rectangle from the pen's place, clockwise on screen.
    ShapeWriter& box(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, int fill1);
    // The DefineShape3 (or another kind) tag for character `id`.
    Bytes tag(int id, int code = 32, std::optional<std::uint8_t> shape4_flags = {});

private:
    Bytes styles_;
    BitWriter bits_;
    int fill_bits_, line_bits_;
    std::int32_t x_ = 0, y_ = 0;
};

// A rectangle of one colour, as DefineShape3.
Bytes box_shape(int id, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                std::uint32_t rgba);

struct Place {
    int depth = 1;
    std::optional<int> character{};
    bool move = false;
    std::optional<Transform> at{};
    std::optional<int> clip_depth{};
    Bytes colour{}; // a colour transform with alpha, or none
};
Bytes place(const Place& p);
Bytes show_frame();
Bytes remove(int depth);
Bytes stop();
Bytes sprite(int id, int frames, const Bytes& tags);

// A whole uncompressed movie: the stage in pixels, frame rate 8.8, the tags (End appended).
Bytes swf(int width, int height, int frames, const Bytes& tags, unsigned rate = 12 << 8,
          int version = 8);
// The same, zlib-compressed.
Bytes compressed(const Bytes& plain);

} // namespace movie_test
