// Reading movies: each tag that is drawn, from hand-built bytes; the header's values; the files
// that are not played.
#include "movie/movie.h"
#include "swf_writer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace movie_test;
using movie::Control;
using movie::FillKind;
using movie::Movie;

constexpr std::uint32_t kRed = 0xFF0000FF;

// Where there is none, the test fails with the exception, as it does where a control is missing.
const movie::Shape& only_shape(const Movie& m)
{
    EXPECT_EQ(m.shapes.size(), 1u);
    return m.shapes.at(0);
}

TEST(MovieReading, EachTagThatIsDrawn)
{
    const Bytes rgb_styles{1, 0x00, 10, 20, 30, 1, 40, 0, 50, 60, 70};
    const Bytes line_with_fill = u16(20) + Bytes{0x08, 0x00} + solid(0x11223344);
    const Bytes line_with_miter = u16(30) + Bytes{0x20, 0x00} + u16(3 << 8) + Bytes{1, 2, 3, 4};
    const struct {
        const char* what;
        Bytes tags;
        std::function<void(const Movie&)> check;
    } cases[] = {
        {"DefineShape: colours without alpha, a line style",
         ShapeWriter(rgb_styles).move(0, 0, 0, 1, 1).line(100, 0).line(0, 100).line(0, 0).tag(1, 2),
         [](const Movie& m) {
             const movie::Shape& s = only_shape(m);
             ASSERT_EQ(s.fills.size(), 1u);
             EXPECT_EQ(s.fills[0].colour, (movie::Rgba{10, 20, 30, 255}));
             ASSERT_EQ(s.lines.size(), 1u);
             EXPECT_EQ(s.lines[0].width, 40);
             EXPECT_EQ(s.lines[0].colour, (movie::Rgba{50, 60, 70, 255}));
             ASSERT_EQ(s.items.size(), 2u) << "the fill, then the stroke";
             EXPECT_FALSE(s.items[0].stroke);
             EXPECT_TRUE(s.items[1].stroke);
             EXPECT_EQ(s.segments.size(), 6u);
             EXPECT_FALSE(s.non_zero);
             EXPECT_EQ(m.find(1).kind, movie::Character::Kind::shape);
         }},
        {"DefineShape2: an extended style count",
         ShapeWriter(Bytes{0xFF} + u16(2) + Bytes{0, 1, 1, 1, 0, 2, 2, 2, 0})
             .box(0, 0, 20, 20, 2)
             .tag(1, 22),
         [](const Movie& m) {
             const movie::Shape& s = only_shape(m);
             ASSERT_EQ(s.fills.size(), 2u);
             ASSERT_EQ(s.items.size(), 1u);
             EXPECT_EQ(s.items[0].style, 1u);
         }},
        {"DefineShape3: alpha, linear and focal gradients",
         ShapeWriter(styles({solid(0x01020304), gradient(0x10, {}, {{0, kRed}, {255, 0x0000FFFF}}),
                             gradient(0x13, {}, {{0, kRed}, {128, 0}, {255, kRed}}) + u16(0x80)},
                            {}))
             .box(0, 0, 20, 20, 1)
             .box(0, 0, 20, 20, 2)
             .box(0, 0, 20, 20, 3)
             .tag(1),
         [](const Movie& m) {
             const movie::Shape& s = only_shape(m);
             ASSERT_EQ(s.fills.size(), 3u);
             EXPECT_EQ(s.fills[0].colour, (movie::Rgba{1, 2, 3, 4}));
             EXPECT_EQ(s.fills[1].kind, FillKind::linear);
             EXPECT_EQ(s.fills[1].gradient.count, 2);
             EXPECT_EQ(s.fills[1].gradient.colours[1], (movie::Rgba{0, 0, 255, 255}));
             EXPECT_EQ(s.fills[2].kind, FillKind::radial);
             EXPECT_EQ(s.fills[2].gradient.ratios[1], 128);
             EXPECT_EQ(s.items.size(), 3u);
         }},
        {"DefineShape4: line styles with a fill or a miter limit, the non-zero rule",
         ShapeWriter(Bytes{0, 2} + line_with_fill + line_with_miter)
             .move(0, 0, 0, 0, 1)
             .line(100, 0)
             .move(0, 50, 0, 0, 2)
             .line(100, 50)
             .tag(1, 83, 0x04),
         [](const Movie& m) {
             const movie::Shape& s = only_shape(m);
             ASSERT_EQ(s.lines.size(), 2u);
             EXPECT_EQ(s.lines[0].colour, (movie::Rgba{0x11, 0x22, 0x33, 0x44}));
             EXPECT_EQ(s.lines[1].width, 30);
             EXPECT_EQ(s.lines[1].colour, (movie::Rgba{1, 2, 3, 4}));
             EXPECT_TRUE(s.non_zero);
         }},
        {"PlaceObject: character, depth, matrix, colour transform",
         tag(4, u16(7) + u16(3) + matrix({40, -20}) +
                    BitWriter().ub(1, 1).ub(0, 1).ub(8, 4).sb(-50, 8).sb(0, 8).sb(50, 8).done()),
         [](const Movie& m) {
             const Control& c = m.timelines.front().controls.at(0);
             EXPECT_EQ(c.kind, Control::Kind::place);
             EXPECT_FALSE(c.move);
             EXPECT_EQ(c.character, 7);
             EXPECT_EQ(c.depth, 3);
             EXPECT_EQ(c.matrix.tx, 40);
             EXPECT_EQ(c.matrix.ty, -20);
             EXPECT_TRUE(c.has_colour);
             EXPECT_EQ(c.colour.add[0], -50);
             EXPECT_EQ(c.colour.add[2], 50);
             EXPECT_EQ(c.colour.mul[3], 1);
         }},
        {"PlaceObject2: a move with scale, skew, alpha, ratio, name and clip depth",
         tag(26, Bytes{0x7D} + u16(2) + matrix({1, 2, 2, 0.5, 0.25, -1}) +
                     colour_transform({1, 1, 1, 0.5}, {}) + u16(9) + Bytes{'n', 0} + u16(6)),
         [](const Movie& m) {
             const Control& c = m.timelines.front().controls.at(0);
             EXPECT_TRUE(c.move);
             EXPECT_FALSE(c.has_character);
             EXPECT_EQ(c.matrix.a, 2);
             EXPECT_EQ(c.matrix.d, 0.5);
             EXPECT_EQ(c.matrix.b, 0.25);
             EXPECT_EQ(c.matrix.c, -1);
             EXPECT_EQ(c.colour.mul[3], 0.5);
             EXPECT_TRUE(c.has_clip);
             EXPECT_EQ(c.clip_depth, 6);
         }},
        {"PlaceObject3: a class name before the character; filters and blend mode after",
         tag(70, Bytes{0x06, 0x0B} + u16(4) + Bytes{'K', 0} + u16(5) + matrix({60, 0}) +
                     Bytes{1, 1} + Bytes(9, 0) + Bytes{3}),
         [](const Movie& m) {
             const Control& c = m.timelines.front().controls.at(0);
             EXPECT_EQ(c.character, 5);
             EXPECT_EQ(c.depth, 4);
             EXPECT_EQ(c.matrix.tx, 60);
         }},
        {"RemoveObject and RemoveObject2", tag(5, u16(1) + u16(8)) + remove(9),
         [](const Movie& m) {
             const auto& controls = m.timelines.front().controls;
             ASSERT_EQ(controls.size(), 2u);
             EXPECT_EQ(controls[0].kind, Control::Kind::remove);
             EXPECT_EQ(controls[0].depth, 8);
             EXPECT_EQ(controls[1].depth, 9);
         }},
        {"DoAction: a lone Stop is kept, other scripts are not",
         kStop + tag(12, {0x07, 0x06, 0x00}) + tag(12, {0x06, 0x00}),
         [](const Movie& m) {
             const auto& controls = m.timelines.front().controls;
             ASSERT_EQ(controls.size(), 1u);
             EXPECT_EQ(controls[0].kind, Control::Kind::stop);
         }},
        {"DefineSprite: a timeline of its own; definitions inside it are not read",
         sprite(3, 2, place({1, 1}) + box_shape(4, 0, 0, 1, 1, kRed) + kShowFrame + kShowFrame),
         [](const Movie& m) {
             ASSERT_EQ(m.timelines.size(), 2u);
             EXPECT_EQ(m.find(3).kind, movie::Character::Kind::sprite);
             EXPECT_EQ(m.timelines[1].frames(), 2);
             EXPECT_EQ(m.timelines[1].controls.size(), 1u);
             EXPECT_EQ(m.find(4).kind, movie::Character::Kind::nothing);
         }},
        {"SetBackgroundColor: the first one", tag(9, {1, 2, 3}) + tag(9, {4, 5, 6}),
         [](const Movie& m) { EXPECT_EQ(m.background, 0x010203u); }},
        {"other tags are passed over by their length; what they define is nothing",
         tag(11, Bytes(100, 0xFF)) + tag(6, u16(2) + Bytes(10, 0)) + box_shape(1, 0, 0, 1, 1, kRed),
         [](const Movie& m) {
             EXPECT_EQ(m.shapes.size(), 1u);
             EXPECT_EQ(m.find(2).kind, movie::Character::Kind::nothing);
         }},
        {"ids in any order; the first definition of an id stands",
         sprite(9, 1, {}) + box_shape(4, 0, 0, 1, 1, kRed) + box_shape(1, 0, 0, 1, 1, kRed) +
             sprite(4, 1, {}) + sprite(6, 1, {}),
         [](const Movie& m) {
             EXPECT_EQ(m.find(1).kind, movie::Character::Kind::shape);
             EXPECT_EQ(m.find(4).kind, movie::Character::Kind::shape);
             EXPECT_EQ(m.find(4).index, 0u);
             EXPECT_EQ(m.find(6).kind, movie::Character::Kind::sprite);
             EXPECT_EQ(m.find(9).kind, movie::Character::Kind::sprite);
             EXPECT_EQ(m.find(5).kind, movie::Character::Kind::nothing);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Movie> m = movie::read_movie(swf(10, 10, 1, c.tags + kShowFrame));
        ASSERT_TRUE(m.has_value());
        c.check(*m);
    }
}

TEST(MovieReading, HeaderValues)
{
    const struct {
        const char* what;
        unsigned rate;
        int header_frames;
        int show_frames;
        double fps;
        int frames;
    } cases[] = {
        {"12 fps, as many frames as ShowFrames", 12 << 8, 3, 3, 12, 3},
        {"a fraction of a frame", 0x1880, 1, 1, 24.5, 1},
        {"rate 0", 0, 1, 1, 12, 1},
        {"too slow", 0x0080, 1, 1, 1, 1},
        {"too fast", 200 << 8, 1, 1, 60, 1},
        {"more ShowFrames than the header counts", 12 << 8, 2, 5, 12, 2},
        {"fewer", 12 << 8, 4, 1, 12, 4},
        {"no frames at all", 12 << 8, 0, 0, 12, 1},
    };
    for (const auto& c : cases) {
        Bytes frames;
        for (int i = 0; i < c.show_frames; ++i) frames = frames + kShowFrame;
        const std::optional<Movie> m =
            movie::read_movie(swf(10, 10, c.header_frames, frames, c.rate));
        ASSERT_TRUE(m.has_value()) << c.what;
        EXPECT_EQ(m->frame_rate, c.fps) << c.what;
        EXPECT_EQ(m->timelines.front().frames(), c.frames) << c.what;
    }
}

} // namespace
