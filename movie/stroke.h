// Outlines of stroked lines: a polyline widened either side, with round joins and round caps,
// for the rasteriser to fill with the non-zero rule.
#pragma once

#include "movie/geometry.h"
#include "movie/raster.h"

#include <span>

namespace movie {

// Adds the outline of `points` drawn `width` px wide (in pixels). A closed polyline (its last
// point its first) gets a join there instead of two caps.
void stroke(std::span<const Point> points, float width, Rasterizer& raster);

} // namespace movie
