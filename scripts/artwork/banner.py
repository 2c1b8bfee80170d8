"""The main window's banner and the About window's, which share the gold title."""

import math

from artwork.fonts import LOGO_FONT, SMALL_FONT, text_shape, text_width
from artwork.geometry import (ELLIPSE, Mask, Picture, circle, fill_rect, line, minus, polygon,
                              union)
from artwork.numbers import Xorshift, clamp, hexrgb, mix, ramp, ridge_line, smooth


GOLD_STOPS = [(0.0, hexrgb("#fffbe0")), (0.22, hexrgb("#ffe27a")), (0.47, hexrgb("#ffc03a")),
              (0.53, hexrgb("#e8780e")), (0.8, hexrgb("#f8a030")), (1.0, hexrgb("#a84a08"))]


def paint_title(pic, text_mask, top, height, outline_r=1.5, shadow=(2, 2), glow=None):
    """Gold letters with a dark outline, a drop shadow and optionally a warm glow behind: the
    letters' colour runs down a metal ramp with a hard bright/dark break at mid-height."""
    if glow:
        pic.paint(text_mask.dilated(2).blurred(glow), hexrgb("#ff7a1a"), 0.45)
    ring = text_mask.dilated(outline_r)
    pic.paint(ring.shifted(*shadow).blurred(1), hexrgb("#000000"), 0.75)
    pic.paint(ring, hexrgb("#1c0804"))
    pic.paint(text_mask, lambda x, y: ramp(GOLD_STOPS, (y + 0.5 - top) / height))
    # Light catches the upper edges of every stroke.
    w = pic.w
    edge = Mask(pic.w, pic.h, [max(0.0, text_mask.v[i] - (text_mask.v[i - w] if i >= w else 0.0))
                               for i in range(pic.w * pic.h)])
    pic.paint(edge, hexrgb("#fffff0"), 0.8)


def paint_caption(pic, font, text, x, y, scale, colour, tracking=1, outline=hexrgb("#0c0406")):
    inside, box = text_shape(font, text, x, y, scale, tracking)
    m = Mask.of(pic.w, pic.h, inside, box)
    pic.paint(m.dilated(1), outline, 0.9)
    pic.paint(m, colour)
    return m


BANNER_W, BANNER_H = 342, 112


def draw_banner():
    """Dusk over a distant base: a star field, a ringed moon, two searchlights, far ridges and
    the base's silhouette, with the title KORVANE between STORMLINE 2 and TIDECALL."""
    w, h = BANNER_W, BANNER_H
    pic = Picture(w, h)
    sun_x, horizon = 238.0, 92.0
    sky = [(0.0, hexrgb("#05071a")), (0.3, hexrgb("#12123a")), (0.55, hexrgb("#3a1a44")),
           (0.72, hexrgb("#7a2a38")), (0.84, hexrgb("#c8502a")), (0.92, hexrgb("#f08a34")),
           (1.0, hexrgb("#ffb860"))]

    def sky_colour(x, y):
        t = (y + 0.5) / horizon
        base = ramp(sky, t)
        dx = (x + 0.5 - sun_x) / 150.0
        dy = (horizon - y) / 70.0
        glow = clamp(1.0 - math.sqrt(dx * dx + dy * dy))
        return mix(base, hexrgb("#ffa050"), 0.55 * glow * glow * smooth(t * 1.4 - 0.25))

    pic.fill(sky_colour)

    # Stars, thinning out towards the glow.
    rng = Xorshift(20240611)
    stars = Mask(w, h)
    for _ in range(150):
        x, y = rng.below(w), rng.below(70)
        fade = clamp(1.0 - y / 70.0) * rng.uniform(0.35, 1.0)
        stars.v[y * w + x] = max(stars.v[y * w + x], fade)
        if rng.below(12) == 0 and 0 < x < w - 1 and 0 < y < h - 1:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                k = (y + dy) * w + x + dx
                stars.v[k] = max(stars.v[k], fade * 0.4)
    pic.paint(stars, hexrgb("#fff4e0"))

    # A large moon low in the east, lit from the sunset side, with a thin ring.
    mx, my, mr = 312.0, 26.0, 21.0
    moon = Mask.of(w, h, circle(mx, my, mr), (mx - mr - 1, my - mr - 1, mx + mr + 1, my + mr + 1))
    lx, ly = -0.62, 0.78

    def moon_colour(x, y):
        nx, ny = (x + 0.5 - mx) / mr, (y + 0.5 - my) / mr
        nz = math.sqrt(max(0.0, 1.0 - nx * nx - ny * ny))
        lit = clamp(nx * lx + ny * ly + nz * 0.15)
        return mix(hexrgb("#1e1630"), hexrgb("#f0a070"), lit * lit)

    ring_out = polygon([(mx + 34 * c, my + 7 * d) for c, d in ELLIPSE])
    ring_in = polygon([(mx + 30 * c, my + 5 * d) for c, d in ELLIPSE])
    ring = minus(ring_out, ring_in)
    ring_box = (mx - 36, my - 9, mx + 36, my + 9)
    back_half = Mask.of(w, h, lambda x, y: ring(x, y) and y < my, ring_box)
    front_half = Mask.of(w, h, lambda x, y: ring(x, y) and y >= my, ring_box)
    pic.paint(back_half, hexrgb("#c0805a"), 0.45)
    pic.paint(moon, moon_colour)
    pic.paint(front_half, hexrgb("#e8a070"), 0.75)

    # Searchlights from the base, fading with distance.
    for (bx, by), (tx, ty), spread in (((96.0, 98.0), (40.0, -10.0), 7.0),
                                       ((262.0, 98.0), (300.0, -10.0), 6.0)):
        beam = polygon([(bx - 1, by), (tx - spread * 2, ty), (tx + spread * 2, ty), (bx + 1, by)])
        m = Mask.of(w, h, beam, (min(bx, tx) - 20, ty, max(bx, tx) + 20, by))
        length = by - ty
        m = Mask(w, h, [m.v[i] * (0.28 * smooth(1.0 - (by - i // w) / length) + 0.04)
                        for i in range(w * h)])
        pic.paint(m, hexrgb("#ffe6b8"))

    # Far ridges in the haze, a nearer ridge, then the base.
    def ridge(heights, colour, opacity=1.0):
        m = Mask(w, h)
        for x in range(w):
            top = heights[x]
            for y in range(int(top), h):
                m.v[y * w + x] = clamp(y + 1.0 - top)
        pic.paint(m, colour, opacity)

    far = ridge_line(3, w, [(40, 6.0), (13, 2.0), (5, 0.6)])
    ridge([84.0 + v for v in far], hexrgb("#5a2a40"), 0.85)
    near = ridge_line(11, w, [(60, 5.0), (17, 2.2), (6, 0.8)])
    ridge([94.0 + v for v in near], hexrgb("#2c1424"))

    base = draw_base_silhouette(w, h)
    pic.paint(base, hexrgb("#0c060b"))
    paint_base_lights(pic)
    ground = Mask(w, h, [1.0 if i // w >= 104 else 0.0 for i in range(w * h)])
    pic.paint(ground, lambda x, y: mix(hexrgb("#0c060b"), hexrgb("#050204"), (y - 104) / 8.0))
    for x in range(w):
        pic.set(x, h - 1, mix(hexrgb("#f09030"), hexrgb("#7a3010"),
                              abs(x - w / 2.0) / (w / 2.0)))

    # The titles.
    small_scale = 2
    top_line = "STORMLINE 2"
    tw = text_width(SMALL_FONT, top_line, 2) * small_scale
    paint_caption(pic, SMALL_FONT, top_line, (w - tw) // 2, 8, small_scale,
                  hexrgb("#d8dcec"), tracking=2)

    scale, shear = 4, 0.12
    logo_w = text_width(LOGO_FONT, "KORVANE") * scale
    logo_h = 10 * scale
    lx0 = (w - logo_w - shear * logo_h) / 2.0
    ly0 = 28
    inside, box = text_shape(LOGO_FONT, "KORVANE", lx0, ly0, scale, 1, shear)
    paint_title(pic, Mask.of(w, h, inside, box), ly0, logo_h, outline_r=2.0, shadow=(2, 3), glow=4)

    sub = "TIDECALL"
    sw = text_width(SMALL_FONT, sub, 2) * small_scale
    sx = (w - sw) // 2
    paint_caption(pic, SMALL_FONT, sub, sx, 77, small_scale, hexrgb("#ffb84a"), tracking=2)
    for x0, x1, towards_text in ((sx - 44, sx - 8, True), (sx + sw + 8, sx + sw + 44, False)):
        for x in range(x0, x1):
            fade = (x - x0) / (x1 - x0)
            fade = fade if towards_text else 1.0 - fade
            pic.blend(x, 82, hexrgb("#1c0804"), 0.8 * fade)
            pic.blend(x, 84, hexrgb("#1c0804"), 0.8 * fade)
            pic.blend(x, 83, hexrgb("#ffd070"), fade)
    return pic


def draw_base_silhouette(w, h):
    """The base's outline against the sky: hangars, a dome, masts and a launch tower."""
    outlines = []
    rng = Xorshift(77)
    x = 0
    while x < w:
        bw = 6 + rng.below(14)
        bh = 3 + rng.below(9)
        if 40 < x < 120 or 200 < x < 290:
            bh += 4 + rng.below(7)
        outlines.append(fill_rect(x, 101 - bh, x + bw, 105))
        x += bw
    outlines += [
        circle(60.0, 97.0, 10.0),                         # radar dome
        fill_rect(150, 84, 153, 100),                     # comms mast
        fill_rect(151, 74, 152, 84),
        line(140.0, 100.0, 151.5, 86.0, 1.2),
        line(163.0, 100.0, 151.5, 86.0, 1.2),
        fill_rect(286, 70, 292, 101),                     # launch tower
        fill_rect(284, 70, 294, 72),
        fill_rect(292, 80, 300, 81),
        fill_rect(297, 78, 300, 101),
        polygon([(306.0, 101.0), (309.0, 78.0), (312.0, 101.0)]),  # ship on the pad
        fill_rect(20, 88, 22, 100),
        fill_rect(222, 86, 224, 100),
    ]
    return Mask.of(w, h, union(*outlines), (0, 60, w, 106))


def paint_base_lights(pic):
    w = pic.w
    rng = Xorshift(4242)
    lights = Mask(w, pic.h)
    for _ in range(70):
        x, y = rng.below(w), 92 + rng.below(11)
        if pic.rgb[y * w + x][0] < 20:
            lights.v[y * w + x] = rng.uniform(0.5, 1.0)
    pic.paint(lights, hexrgb("#ffb050"))
    for x, y in ((151, 73), (289, 69), (21, 87), (223, 85), (309, 77)):
        glow = Mask.of(w, pic.h, circle(x + 0.5, y + 0.5, 2.2), (x - 3, y - 3, x + 3, y + 3))
        pic.paint(glow, hexrgb("#ff3018"), 0.35)
        pic.set(x, y, hexrgb("#ff5a3a"))


ABOUT_W, ABOUT_H = 267, 45


def draw_about_banner():
    """Dark red-brown with the gold title between two hairlines and a diamond at each end."""
    w, h = ABOUT_W, ABOUT_H
    pic = Picture(w, h)
    dark, light = hexrgb("#3a1208"), hexrgb("#5a2010")

    def background(x, y):
        t = clamp(0.65 * (y + 0.5) / h + 0.35 * (x + 0.5) / w)
        c = mix(dark, light, t)
        # Faint diagonal weave, which keeps a flat field from looking empty.
        if (x + y) % 4 == 0:
            c = mix(c, hexrgb("#000000"), 0.12)
        return c

    pic.fill(background)
    for y in (2, h - 3):
        for x in range(w):
            fade = 1.0 - abs(x - w / 2.0) / (w / 2.0)
            pic.blend(x, y, hexrgb("#e8a440"), 0.85 * smooth(fade * 1.6))

    scale = 3
    logo_w = text_width(LOGO_FONT, "KORVANE") * scale
    lx0, ly0 = (w - logo_w) // 2, (h - 10 * scale) // 2
    inside, box = text_shape(LOGO_FONT, "KORVANE", lx0, ly0, scale)
    paint_title(pic, Mask.of(w, h, inside, box), ly0, 10 * scale, outline_r=1.5, shadow=(1, 2))
    for cx in (lx0 - 22.0, lx0 + logo_w + 22.0):
        diamond = polygon([(cx, h / 2 - 6), (cx + 6, h / 2), (cx, h / 2 + 6), (cx - 6, h / 2)])
        m = Mask.of(w, h, diamond, (cx - 8, 0, cx + 8, h))
        pic.paint(m.dilated(1), hexrgb("#1c0804"))
        pic.paint(m, lambda x, y: ramp(GOLD_STOPS, (y + 0.5 - (h / 2 - 6)) / 12.0))
    return pic
