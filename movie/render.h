// Draws a display tree into pixels: each object through its nested matrices and colour
// transforms, clip layers as coverage masks, within the frame's drawing budget.
#pragma once

#include "movie/display_list.h"
#include "movie/movie.h"

#include <cstdint>

namespace movie {

struct Canvas {
    std::uint32_t* pixels = nullptr; // 0x00RRGGBB
    int width = 0, height = 0, stride = 0;
};

// Draws the objects of `root` over what the canvas holds; `view` takes twips to pixels.
void draw(const Movie& movie, const Instance& root, const Matrix& view, const Canvas& canvas);

} // namespace movie
