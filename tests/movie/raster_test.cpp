// The rasteriser's coverage: exact areas, the two fill rules, the picture's edges, stroke outlines
// with their width, round ends and joins, and curves.
#include "movie/raster.h"
#include "movie/stroke.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

using movie::FillRule;
using movie::Point;
using Polygon = std::vector<Point>;

constexpr int kSize = 8;

struct Coverage {
    std::vector<float> pixels = std::vector<float>(kSize * kSize, 0.0f);
    float at(int x, int y) const { return pixels[y * kSize + x]; }
    float sum() const { return std::accumulate(pixels.begin(), pixels.end(), 0.0f); }
};

Coverage sweep(movie::Rasterizer& raster, FillRule rule)
{
    Coverage out;
    raster.sweep(rule, [&](const movie::Span& s) {
        for (int i = 0; i < s.count; ++i) out.pixels[s.y * kSize + s.x + i] = s.coverage[i];
    });
    return out;
}

Polygon square(float x0, float y0, float x1, float y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

Polygon reversed(Polygon p)
{
    return Polygon(p.rbegin(), p.rend());
}

TEST(Raster, CoverageIsTheAreaInsideEachPixelOfAFillOrAStroke)
{
    // A pixel's coverage, from low to high or exactly low.
    struct Pixel {
        int x, y;
        float low, high = -1;
    };
    const struct {
        const char* what;
        std::vector<Polygon> polygons; // or the stroke's one path
        float width;                   // of the stroke, 0 for a fill
        std::vector<Pixel> pixels;
        float sum; // of all coverage, or -1
        FillRule rule = FillRule::non_zero;
    } cases[] = {
        // clang-format off
        {"half pixels at the sides", {square(0.5f, 0, 2.5f, 2)}, 0,
         {{0, 0, 0.5f}, {1, 0, 1}, {2, 1, 0.5f}, {3, 0, 0}, {0, 2, 0}}, 4},
        {"a quarter at a corner", {square(1.5f, 1.5f, 3, 3)}, 0,
         {{1, 1, 0.25f}, {2, 1, 0.5f}, {2, 2, 1}}, 2.25f},
        {"a triangle", {{{0, 0}, {4, 0}, {0, 4}}}, 0,
         {{0, 0, 1}, {3, 0, 0.5f}, {1, 2, 0.5f}, {2, 2, 0}, {0, 3, 0.5f}}, 8, FillRule::even_odd},
        {"a thin sliver", {{{2, 0}, {2.25f, 0}, {2.25f, 8}, {2, 8}}}, 0,
         {{2, 4, 0.25f}, {1, 4, 0}, {3, 4, 0}}, 2},
        {"a hole, even-odd", {square(0, 0, 6, 6), square(2, 2, 4, 4)}, 0,
         {{1, 1, 1}, {3, 3, 0}}, 32, FillRule::even_odd},
        {"the same, non-zero: one winding fills", {square(0, 0, 6, 6), square(2, 2, 4, 4)}, 0,
         {{1, 1, 1}, {3, 3, 1}}, 36},
        {"a hole wound the other way, non-zero", {square(0, 0, 6, 6), reversed(square(2, 2, 4, 4))},
         0, {{1, 1, 1}, {3, 3, 0}}, 32},
        {"cut at the picture's edges", {square(-5, -5, 1.5f, 2)}, 0,
         {{0, 0, 1}, {1, 1, 0.5f}, {0, 2, 0}}, 3},
        {"beyond the right and the bottom", {square(7, 7, 12, 12)}, 0, {{7, 7, 1}, {6, 7, 0}}, 1},
        {"wholly outside", {square(9, 0, 12, 4), square(-4, -4, -1, 4)}, 0, {}, 0},
        {"a stroke one pixel wide, centred on a row", {{{1, 4.5f}, {7, 4.5f}}}, 1,
         {{3, 4, 0.99f, 1}, {3, 3, 0, 0.01f}, {3, 5, 0, 0.01f}}, 6 + 3.1416f / 4},
        {"half a pixel either side of a pixel's edge", {{{1, 4}, {7, 4}}}, 1,
         {{3, 3, 0.49f, 0.51f}, {3, 4, 0.49f, 0.51f}}, 6 + 3.1416f / 4},
        {"round caps reach past the ends", {{{2, 4}, {6, 4}}}, 4,
         {{0, 3, 0.3f, 0.95f}, {7, 4, 0.3f, 0.95f}, {4, 2, 1}}, 16 + 3.1416f * 4},
        {"a sharp turn is whole on its inner side", {{{1, 1}, {6, 4}, {1, 7}}}, 2,
         {{5, 3, 1}, {5, 4, 1}, {6, 4, 0.4f, 0.99f}}, -1},
        {"a closed path is a ring", {{{2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}}}, 1,
         {{4, 4, 0}, {2, 4, 0.49f, 0.51f}, {1, 4, 0.49f, 0.51f}, {0, 4, 0}},
         16 - (1 - 3.1416f / 4)},
        // clang-format on
    };
    for (const auto& c : cases) {
        movie::Rasterizer raster(kSize, kSize);
        for (const Polygon& p : c.polygons) {
            if (c.width > 0) movie::stroke(p, c.width, raster);
            for (std::size_t i = 0; c.width == 0 && i < p.size(); ++i)
                raster.line(p[i], p[(i + 1) % p.size()]);
        }
        const Coverage got = sweep(raster, c.rule);
        for (const Pixel& p : c.pixels) {
            EXPECT_GE(got.at(p.x, p.y), p.low - 1e-4f) << c.what << " at " << p.x << "," << p.y;
            EXPECT_LE(got.at(p.x, p.y), (p.high < 0 ? p.low : p.high) + 1e-4f)
                << c.what << " at " << p.x << "," << p.y;
        }
        if (c.sum >= 0) {
            EXPECT_NEAR(got.sum(), c.sum, c.width > 0 ? 0.15f : 1e-3f) << c.what;
        }
    }
}

TEST(Raster, CurvesAreFlattenedCloseToTheirArea)
{
    movie::Rasterizer raster(kSize, kSize);
    // The curve bulges towards (8, 0): the region is the triangle under the chord plus two
    // thirds of the control triangle, 32 + 64 / 3.
    raster.curve({0, 0}, {8, 0}, {8, 8});
    raster.line({8, 8}, {0, 8});
    raster.line({0, 8}, {0, 0});
    const Coverage got = sweep(raster, FillRule::non_zero);
    EXPECT_NEAR(got.sum(), 32 + 64.0f / 3, 1.0f);
    EXPECT_NEAR(got.at(2, 1), 1.0f, 1e-4) << "inside the bulge";
    EXPECT_GT(got.at(4, 1), 0.5f) << "the curve crosses this one";
    EXPECT_LT(got.at(4, 1), 0.99f);
    EXPECT_NEAR(got.at(7, 0), 0.0f, 1e-4) << "outside";
}

} // namespace
