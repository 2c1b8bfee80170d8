// Window tables are written in twips (1440 an inch); the screen counts pixels.
#pragma once

#include <cmath>

namespace ui {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;

// Rounded to the nearest pixel, halves away from zero: 15 twips are one pixel at 96 dpi.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a product, the same either way round
inline int twips_to_pixels(int twips, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

} // namespace ui
