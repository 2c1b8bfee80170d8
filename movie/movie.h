// A movie as read from its file: the stage, the characters it defines (shapes and sprites) and
// the timelines that place them, frame by frame.
#pragma once

#include "movie/geometry.h"
#include "movie/shape.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace movie {

// One PlaceObject, RemoveObject or Stop, in the order its frame holds them.
struct Control {
    enum class Kind : std::uint8_t { place, remove, stop };
    Kind kind = Kind::place;
    bool move = false; // changes the object at the depth rather than putting a new one there
    bool has_character = false, has_matrix = false, has_colour = false, has_clip = false;
    std::uint16_t depth = 0;
    std::uint16_t character = 0;
    std::uint16_t clip_depth = 0;
    Matrix matrix;
    ColourTransform colour;
};

struct Timeline {
    std::vector<Control> controls;
    std::vector<std::uint32_t> frame_ends; // frame f holds controls [end of f - 1, end of f)
    int frames() const { return static_cast<int>(frame_ends.size()); }
};

struct Character {
    enum class Kind : std::uint8_t { nothing, shape, sprite };
    std::uint16_t id = 0;
    Kind kind = Kind::nothing;
    std::uint32_t index = 0; // into Movie::shapes or Movie::timelines
};

struct Movie {
    // The stage in twips.
    float x_min = 0, y_min = 0, width = 0, height = 0;
    double frame_rate = 0;
    std::uint32_t background = 0xFFFFFF; // 0x00RRGGBB; white where the movie names none
    std::vector<Shape> shapes;
    std::vector<Timeline> timelines;   // the main one first, then each sprite's
    std::vector<Character> characters; // sorted by id

    // A character never defined, or defined by a tag that is not read, is nothing to draw.
    Character find(std::uint16_t id) const;
};

// The movie in a file's bytes, or nothing when it cannot be played: not a movie file, compressed
// with LZMA, written for ActionScript 3, a broken header, or over any of the limits.
std::optional<Movie> read_movie(std::span<const std::uint8_t> file);

} // namespace movie
