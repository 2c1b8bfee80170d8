// Draws the movie strip's own animation: a warm glow, drifting sparks, gold rules and a caption.
#include "platform/movie_animation.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace platform {
namespace {

// The animation was laid out for the strip's height at 96 dpi; everything scales from it.
constexpr float kDesignHeight = 49.0f;

// Seconds into the animation: the intro fades in, then a light band sweeps by every few seconds.
constexpr double kIntro = 1.0;
constexpr double kSweepEvery = 6.0;
constexpr double kSweepTakes = 2.6;
static_assert(kAnimationRest > kIntro + kSweepTakes, "the rest comes after the first sweep");

constexpr float kPi = 3.14159265f;

struct Colour {
    float r = 0, g = 0, b = 0;
};

constexpr Colour rgb(int r, int g, int b)
{
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
            static_cast<float>(b) / 255.0f};
}

// The About banner's red-browns and gold, so the strip reads as part of it.
constexpr Colour kEdge = rgb(0x3a, 0x12, 0x08);
constexpr Colour kWarm = rgb(0x5a, 0x20, 0x10);
constexpr Colour kEmber = rgb(0xff, 0x70, 0x30);
constexpr Colour kLight = rgb(0xff, 0xc8, 0x70);
constexpr Colour kRule = rgb(0xc0, 0x86, 0x38);
constexpr Colour kLetters = rgb(0xe0, 0xb0, 0x58);
constexpr Colour kLettersLit = rgb(0xff, 0xf4, 0xd0);

float clamp01(float x)
{
    return std::min(1.0f, std::max(0.0f, x));
}

float smoothstep(float from, float to, float x)
{
    const float t = clamp01((x - from) / (to - from));
    return t * t * (3.0f - 2.0f * t);
}

Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void add(Colour& to, Colour light, float amount)
{
    to.r += light.r * amount;
    to.g += light.g * amount;
    to.b += light.b * amount;
}

// The same scattering of sparks every run, so the loop looks alike each time it plays.
float scatter(unsigned n)
{
    n = (n << 13U) ^ n;
    n = n * (n * n * 15731U + 789221U) + 1376312589U;
    return static_cast<float>(n & 0x7fffffffU) / static_cast<float>(0x7fffffff);
}

// The caption's letters, drawn once per strip size into a grey mask; each frame only tints it.
struct Caption {
    std::vector<std::uint8_t> coverage; // one byte a pixel, the frame's size
    int width = 0;
    int height = 0;
    int left = 0; // ink bounds, for the rules either side
    int right = 0;
    int middle = 0; // the row through the middle of the capitals

    float ink(int x, int y) const
    {
        return static_cast<float>(coverage[static_cast<std::size_t>(y) * width + x]) / 255.0f;
    }
};

// Small capitals that leave the strip room to breathe, shrunk further for a narrow strip.
int fit_em(CaptionLetters& letters, int width, int height, int spacing)
{
    int size = std::max(8, static_cast<int>(std::lround(static_cast<float>(height) * 0.27f)));
    while (size > 7 && letters.width(size, spacing) * 100 > width * 86) --size;
    return size;
}

void make_caption(Caption& caption, CaptionLetters& letters, int width, int height)
{
    caption = {};
    caption.width = width;
    caption.height = height;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    caption.coverage.assign(size, 0);
    caption.left = caption.right = width / 2;
    caption.middle = height / 2;

    const float scale = static_cast<float>(height) / kDesignHeight;
    const int spacing = std::max(1, static_cast<int>(std::lround(1.6f * scale)));
    std::vector<std::uint8_t> drawn(size, 0);
    letters.draw(fit_em(letters, width, height, spacing), spacing, drawn.data(), width, height);

    // Centre by the ink itself: the font's cell has room for accents the capitals never use.
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (drawn[static_cast<std::size_t>(y) * width + x] < 24) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom < 0) return;
    const int dy = (height - (bottom - top + 1)) / 2 - top;
    const int dx = (width - (right - left + 1)) / 2 - left;
    for (int y = 0; y < height; ++y) {
        const int from_y = y - dy;
        if (from_y < 0 || from_y >= height) continue;
        for (int x = 0; x < width; ++x) {
            const int from_x = x - dx;
            if (from_x < 0 || from_x >= width) continue;
            caption.coverage[static_cast<std::size_t>(y) * width + x] =
                drawn[static_cast<std::size_t>(from_y) * width + from_x];
        }
    }
    caption.left = left + dx;
    caption.right = right + dx;
    caption.middle = (top + bottom) / 2 + dy;
}

// The light band that sweeps over the strip now and then; it leans forward, like a glint on metal.
struct Band {
    bool on = false; // off between sweeps
    float at = 0.0f; // the centre line's x on the strip's middle row
    float width = 0.0f;
    float middle = 0.0f;

    // How far (in band widths, squared) a point lies from the centre line.
    float distance(float x, float y) const
    {
        if (!on) return 1e6f;
        const float d = (x - at - (y - middle) * 0.6f) / width;
        return d * d;
    }
    float light(float x, float y) const { return std::exp(-distance(x, y)); }
};

Band band_at(float t, float w, float h)
{
    Band band;
    band.width = 0.11f * w;
    band.middle = h * 0.5f;
    if (t < kIntro) return band;
    const float into = std::fmod(t - static_cast<float>(kIntro), static_cast<float>(kSweepEvery));
    if (into >= kSweepTakes) return band;
    const float e = smoothstep(0.0f, 1.0f, into / static_cast<float>(kSweepTakes));
    band.at = -0.3f * w + 1.6f * w * e;
    band.on = true;
    return band;
}

// One frame being mixed, and the moment it shows: what every drawing step shares.
struct Scene {
    Colour* canvas;
    int width;
    int height;
    float w; // the size again, for the arithmetic
    float h;
    float scale;   // pixels per pixel of the 96 dpi layout
    int dot;       // the same, whole and at least 1: for rules and the caption's shadow
    float t;       // seconds in
    float text_in; // how far the caption and the rules beside it have faded in
    Band band;

    Colour& at(int x, int y) const { return canvas[static_cast<std::size_t>(y) * width + x]; }
};

// A warm glow just above the middle, falling off to the banner's darker edge, with faint
// chevrons drifting forward and the light band sweeping over.
void paint_background(const Scene& s)
{
    const float breathe = 0.5f + 0.5f * std::sin(2.0f * kPi * s.t / 4.0f);
    for (int y = 0; y < s.height; ++y) {
        const float fy = static_cast<float>(y) + 0.5f;
        const float v = fy / s.h;
        const float lift = clamp01(1.0f - ((v - 0.42f) / 0.62f) * ((v - 0.42f) / 0.62f));
        const Colour row = mix(kEdge, kWarm, std::pow(lift, 1.4f));
        const float from_middle = std::fabs(fy - s.h * 0.5f);
        for (int x = 0; x < s.width; ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float u = fx / s.w;
            const float side = std::sin(kPi * u);
            const float shade = 0.74f + 0.26f * std::sqrt(side);
            Colour c{row.r * shade, row.g * shade, row.b * shade};

            const float along = (fx + 0.9f * from_middle) / s.scale - 14.0f * s.t;
            const float phase = along / 22.0f - std::floor(along / 22.0f);
            const float ridge = 1.0f - std::fabs(2.0f * phase - 1.0f);
            add(c, kLight, 0.045f * smoothstep(0.80f, 0.96f, ridge) * side);

            const float ex = (u - 0.5f) / 0.45f;
            const float ey = (v - 0.5f) / 0.6f;
            add(c, kEmber, (0.035f + 0.03f * breathe) * std::exp(-2.2f * (ex * ex + ey * ey)));

            const float d2 = s.band.distance(fx, fy);
            if (d2 < 8.0f) add(c, kLight, 0.22f * std::exp(-d2) + 0.20f * std::exp(-30.0f * d2));
            s.at(x, y) = c;
        }
    }
}

// Sparks drifting forward with fading tails, looping across the strip; they keep clear of the
// caption's rows so the letters stay easy to read.
void paint_sparks(const Scene& s, const Caption& caption)
{
    const float caption_half = std::max(4.0f * s.scale, 0.16f * s.h);
    const int sparks = 12;
    const float thickness = std::max(0.5f, 0.5f * s.scale);
    for (int i = 0; i < sparks; ++i) {
        const auto n = static_cast<unsigned>(i) * 8U + 3U;
        const float base_y = (0.10f + 0.80f * scatter(n)) * s.h;
        const float speed = (14.0f + 30.0f * scatter(n + 1U)) * s.scale;
        const float tail = (10.0f + 18.0f * scatter(n + 2U)) * s.scale;
        const float glow = 0.20f + 0.35f * scatter(n + 3U);
        const float span = s.w + tail;
        const float head = std::fmod(scatter(n + 7U) * span + speed * s.t, span);
        const float y_at =
            base_y +
            std::sin(s.t * (0.7f + scatter(n + 5U)) + 6.0f * scatter(n + 6U)) * 1.5f * s.scale;
        const float clear = smoothstep(caption_half * 0.7f, caption_half * 1.3f,
                                       std::fabs(y_at - static_cast<float>(caption.middle)));
        if (clear <= 0.0f) continue;
        const int first_x = std::max(0, static_cast<int>(std::floor(head - tail)));
        const int last_x = std::min(s.width - 1, static_cast<int>(std::floor(head)));
        const int first_y = std::max(0, static_cast<int>(std::floor(y_at - thickness - 1.0f)));
        const int last_y =
            std::min(s.height - 1, static_cast<int>(std::ceil(y_at + thickness + 1.0f)));
        for (int x = first_x; x <= last_x; ++x) {
            const float along = clamp01((static_cast<float>(x) + 0.5f - (head - tail)) / tail);
            const float strength = glow * clear * along * along * along;
            for (int y = first_y; y <= last_y; ++y) {
                const float cover =
                    clamp01(thickness + 0.5f - std::fabs(static_cast<float>(y) + 0.5f - y_at));
                if (cover > 0.0f) add(s.at(x, y), kLight, strength * cover);
            }
        }
    }
}

// Gold rules along the top and bottom edges, brighter at the bottom, fading out at the ends.
void paint_edge_rules(const Scene& s)
{
    for (int x = 0; x < s.width; ++x) {
        const float fx = static_cast<float>(x) + 0.5f;
        const float side = std::pow(std::sin(kPi * fx / s.w), 0.7f);
        for (int k = 0; k < s.dot; ++k) {
            const int top = k;
            const int bottom = s.height - 1 - k;
            add(s.at(x, top), kRule,
                0.30f * side + 0.5f * s.band.light(fx, static_cast<float>(top)));
            if (bottom != top) {
                add(s.at(x, bottom), kRule,
                    0.55f * side + 0.6f * s.band.light(fx, static_cast<float>(bottom)));
            }
        }
    }
}

// Rules either side of the caption, reaching out from it; left out when the strip is too narrow.
void paint_caption_rules(const Scene& s, const Caption& caption)
{
    if (caption.right <= caption.left || caption.middle <= s.dot ||
        caption.middle >= s.height - s.dot) {
        return;
    }
    const float gap = 7.0f * s.scale;
    const float inner_left = static_cast<float>(caption.left) - gap;
    const float inner_right = static_cast<float>(caption.right) + gap;
    const float reach = std::min(inner_left, s.w - inner_right) - 6.0f * s.scale;
    if (reach <= 4.0f * s.scale) return;
    for (int x = 0; x < s.width; ++x) {
        const float fx = static_cast<float>(x) + 0.5f;
        float a = 0.0f;
        if (fx < inner_left) a = smoothstep(inner_left - reach, inner_left, fx);
        if (fx > inner_right) a = 1.0f - smoothstep(inner_right, inner_right + reach, fx);
        if (a <= 0.0f) continue;
        for (int k = 0; k < s.dot; ++k) {
            const int y = caption.middle - s.dot / 2 + k;
            add(s.at(x, y), kRule,
                0.55f * a * s.text_in + 0.6f * s.band.light(fx, static_cast<float>(y)));
        }
    }
}

// The caption, with a soft shadow, lighting up as the band passes over it.
void paint_caption(const Scene& s, const Caption& caption)
{
    if (caption.width != s.width || caption.height != s.height || s.text_in <= 0.0f) return;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            Colour& c = s.at(x, y);
            if (x >= s.dot && y >= s.dot) {
                const float shadow = caption.ink(x - s.dot, y - s.dot);
                const float keep = 1.0f - 0.6f * shadow * s.text_in;
                c = {c.r * keep, c.g * keep, c.b * keep};
            }
            const float ink = caption.ink(x, y) * s.text_in;
            if (ink <= 0.0f) continue;
            const float lit = clamp01(
                1.3f * s.band.light(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
            c = mix(c, mix(kLetters, kLettersLit, lit), ink);
        }
    }
}

// Out to the pixels, fading the whole picture in at the start; an ordered dither keeps the dark
// gradient from banding.
void write_out(const Scene& s, std::uint32_t* out, int stride)
{
    static constexpr float kDither[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const float fade = 0.25f + 0.75f * smoothstep(0.0f, 0.8f, s.t);
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const Colour& c = s.at(x, y);
            const float d = (kDither[y & 3][x & 3] + 0.5f) / 16.0f;
            auto level = [&](float value) {
                return static_cast<std::uint32_t>(
                    std::min(255.0f, std::max(0.0f, value * fade * 255.0f + d)));
            };
            out[static_cast<std::size_t>(y) * stride + x] =
                (level(c.r) << 16U) | (level(c.g) << 8U) | level(c.b);
        }
    }
}

} // namespace

struct MovieAnimation::Buffers {
    std::vector<Colour> canvas;
    Caption caption;
};

MovieAnimation::MovieAnimation() = default;
MovieAnimation::~MovieAnimation() = default;

bool MovieAnimation::paint(std::uint32_t* pixels, int width, int height, int stride, double seconds,
                           CaptionLetters& letters)
{
    if (width <= 0 || height <= 0) return true;
    try {
        if (!buffers_) buffers_ = std::make_unique<Buffers>();
        Buffers& b = *buffers_;
        if (b.caption.width != width || b.caption.height != height) {
            make_caption(b.caption, letters, width, height);
        }
        b.canvas.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        Scene scene{};
        scene.canvas = b.canvas.data();
        scene.width = width;
        scene.height = height;
        scene.w = static_cast<float>(width);
        scene.h = static_cast<float>(height);
        scene.scale = scene.h / kDesignHeight;
        scene.dot = std::max(1, static_cast<int>(std::lround(scene.scale)));
        scene.t = static_cast<float>(seconds);
        scene.text_in = smoothstep(0.25f, 1.1f, scene.t);
        scene.band = band_at(scene.t, scene.w, scene.h);
        paint_background(scene);
        paint_sparks(scene, b.caption);
        paint_edge_rules(scene);
        paint_caption_rules(scene, b.caption);
        paint_caption(scene, b.caption);
        write_out(scene, pixels, stride);
        return true;
    } catch (const std::bad_alloc&) {
        // Without a frame, at least the banner's edge colour rather than whatever was there.
        buffers_.reset();
        for (int y = 0; y < height; ++y) {
            std::fill_n(pixels + static_cast<std::size_t>(y) * stride, width, kEdgeColour);
        }
        return false;
    }
}

} // namespace platform
