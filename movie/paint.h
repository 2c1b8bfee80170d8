// What a fill or a line paints with, colour-transformed and ready per pixel, and how it goes over
// the picture: source over, in the stored 8-bit values.
#pragma once

#include "movie/geometry.h"
#include "movie/raster.h"
#include "movie/shape.h"

#include <array>
#include <cstdint>

namespace movie {

struct Paint {
    FillKind kind = FillKind::none;
    Rgba colour;
    // Gradients: 256 colours along the ramp, and pixels mapped into the gradient's square.
    std::array<Rgba, 256> ramp;
    Matrix to_square;
    std::uint8_t spread = 0;
};

// `shape_to_pixels` places the shape in the picture. False when there is nothing to paint.
bool make_paint(const FillStyle& fill, const Matrix& shape_to_pixels,
                const ColourTransform& transform, Paint& paint);

// The colour at the pixel whose centre is (x + 0.5, y + 0.5).
Rgba paint_at(const Paint& paint, int x, int y);

// Paints a span's coverage, weakened by `mask` (the span's row of a clip mask, 0..255 from x = 0,
// or null), over `row` (0x00RRGGBB pixels from x = 0).
void composite(const Paint& paint, const Span& span, const std::uint8_t* mask, std::uint32_t* row);

} // namespace movie
