// Twips as pixels.
#include "ui/twips.h"

#include <gtest/gtest.h>

namespace {

TEST(Twips, BecomePixelsAtTheMonitorsDpi)
{
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {15, 96, 1},    {-120, 96, -8}, {5130, 144, 513}, {225, 144, 23},
        {225, 120, 19}, {7, 96, 0},     {8, 96, 1},       {-8, 96, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::twips_to_pixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

} // namespace
