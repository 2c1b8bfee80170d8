#!/usr/bin/python3
"""Makes the program's pictures, icons, cursors, About movie and read-me in assets/.

Everything the resource script and the About window ship is made here from code, so that it can be
reviewed and rebuilt like the rest of the source. A run always writes the same bytes: the drawing
uses only + - * / and sqrt (which IEEE 754 rounds the same on every machine, unlike sin or exp from
the platform's maths library) and its own xorshift numbers instead of the `random` module.

    scripts/make-assets.py              write the files into assets/
    scripts/make-assets.py --check      rebuild in a temporary folder; exit 1 if assets/ differs
    scripts/make-assets.py --preview D  also write enlarged PNG previews of the pictures into D

Every run reads its own output back (headers, pixel data, masks, the movie's tags) before it
reports success, so a writer that packs a field wrong fails here rather than in a window.
"""

import argparse
import math
import struct
import sys
import tempfile
from pathlib import Path

from artwork.bmp import read_bmp, write_bmp
from artwork.check import Bad, expect
from artwork.fonts import LOGO_FONT, SMALL_FONT, glyph_paths, text_shape, text_width
from artwork.icon import icon_from_picture, icon_image, read_icon_file, write_icon_file
from artwork.geometry import (ELLIPSE, Mask, Picture, circle, fill_rect, inset, line, minus,
                              pixel_art, polygon, scaled, union)
from artwork.numbers import Xorshift, clamp, hexrgb, mix, ramp, ridge_line, smooth
from artwork.palette import adaptive_palette, to_indexed
from artwork.png import write_png
from artwork.swf import (swf_background, swf_file, swf_matrix, swf_place, swf_shape,
                         swf_show_frame)
from artwork.swf_read import read_swf

ROOT = Path(__file__).resolve().parent.parent
ASSETS = ROOT / "assets"


# ----------------------------------------------------------------------------------------------
# Artwork: the emblem
# ----------------------------------------------------------------------------------------------

EMBLEM_SHIELD = [(0.5, 0.02), (0.95, 0.16), (0.95, 0.56), (0.5, 0.985), (0.05, 0.56), (0.05, 0.16)]


# At 16 pixels smoothed edges only blur, so the small emblem is placed pixel by pixel: the
# shield as each row's first and last pixel, and the K on top of it.
EMBLEM16_SHIELD = [(6, 9), (4, 11), (2, 13), (1, 14), (1, 14), (1, 14), (1, 14), (1, 14),
                   (1, 14), (1, 14), (2, 13), (3, 12), (4, 11), (5, 10), (6, 9), (7, 8)]
EMBLEM16_K = [
    "................",
    "................",
    "................",
    ".....##...##....",
    ".....##..##.....",
    ".....##.##......",
    ".....####.......",
    ".....####.......",
    ".....##.##......",
    ".....##..##.....",
    ".....##...##....",
]
EMBLEM16_K_COLOURS = ["#fff0a0", "#fff0a0", "#ffd24a", "#ffd24a", "#ffb030", "#ffb030",
                      "#f58a1c", "#f07a12"]


def draw_emblem16():
    inside = [[lo <= x <= hi for x in range(16)] for lo, hi in EMBLEM16_SHIELD]

    def at(x, y):
        return 0 <= x < 16 and 0 <= y < 16 and inside[y][x]

    def touches(x, y, test):
        return any(test(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    def edge(x, y):
        return at(x, y) and touches(x, y, lambda a, b: not at(a, b))

    pic = Picture(16, 16)
    for y in range(16):
        for x in range(16):
            if not at(x, y):
                continue
            if edge(x, y):
                c = hexrgb("#1a0703")
            elif touches(x, y, edge):
                c = ramp([(0, hexrgb("#ffd878")), (0.5, hexrgb("#e89a2c")),
                          (1, hexrgb("#8a4410"))], y / 15.0)
            else:
                c = ramp([(0, hexrgb("#9a3a1a")), (1, hexrgb("#4a160a"))], y / 15.0)
                if x >= 8:
                    c = mix(c, hexrgb("#200804"), 0.35)
            pic.set(x, y, c)
    for y, row in enumerate(EMBLEM16_K):
        for x, ch in enumerate(row):
            if ch == "#":
                pic.set(x, y, hexrgb(EMBLEM16_K_COLOURS[y - 3]))
    return pic


def draw_emblem(size):
    """A dark red-brown hexagonal shield with a gold rim, bearing a bright K whose lower leg is
    a lightning stroke."""
    if size < 32:
        return draw_emblem16()
    s = float(size)
    pic = Picture(size, size)
    shield = scaled(EMBLEM_SHIELD, s)
    pic.paint(Mask.of(size, size, polygon(shield)), hexrgb("#1a0703"))
    rim = inset(shield, 1.0)
    pic.paint(Mask.of(size, size, polygon(rim)),
              lambda x, y: ramp([(0, hexrgb("#ffd878")), (0.5, hexrgb("#e89a2c")),
                                 (1, hexrgb("#8a4410"))], y / s))
    field = inset(shield, 2.0)
    field_mask = Mask.of(size, size, polygon(field))
    centre = s * 0.5

    def field_colour(x, y):
        t = (y + 0.5) / s
        lit = ramp([(0, hexrgb("#8c3418")), (1, hexrgb("#4a160a"))], t)
        dark = ramp([(0, hexrgb("#6a2410")), (1, hexrgb("#300c04"))], t)
        return lit if x + 0.5 < centre else dark

    pic.paint(field_mask, field_colour)

    # The K, in unit coordinates.
    stem = (0.27, 0.22, 0.41, 0.80)
    arm = [(0.41, 0.47), (0.64, 0.22), (0.81, 0.22), (0.41, 0.66)]
    bolt = [(0.47, 0.46), (0.62, 0.55), (0.55, 0.59), (0.80, 0.80), (0.59, 0.80), (0.41, 0.62)]
    mark = union(fill_rect(*[c * s for c in stem]), polygon(scaled(arm, s)),
                 polygon(scaled(bolt, s)))
    mark_mask = Mask.of(size, size, mark)
    pic.paint(mark_mask.shifted(1, 1).minus(mark_mask), hexrgb("#140402"), 0.8)
    pic.paint(mark_mask, lambda x, y: ramp([(0.2, hexrgb("#fff0a0")), (0.5, hexrgb("#ffc23a")),
                                            (0.8, hexrgb("#f07a12"))], (y + 0.5) / s))
    return pic


# ----------------------------------------------------------------------------------------------
# Artwork: the open folder
# ----------------------------------------------------------------------------------------------


FOLDER16 = [
    "................",
    "................",
    ".kkkkk..........",
    "kBBBBBk.........",
    "kBBBBBBkkkkkkk..",
    "kBBBBBBBBBBBBBk.",
    "kBBwwwwwwwwwwBk.",
    "kBBwppppppppwBk.",
    "kBBwwwwwwwwwwBk.",
    "kBBkkkkkkkkkkkkk",
    "kBBkhhhhhhhhhhhk",
    "kBkFFFFFFFFFFFk.",
    "kBkfffffffffffk.",
    "kkffffffffffdk..",
    "kkdddddddddddk..",
    "kkkkkkkkkkkkk...",
]
FOLDER16_COLOURS = {
    "k": hexrgb("#4a2e08"), "B": hexrgb("#d09a40"), "w": hexrgb("#fbf8ec"),
    "p": hexrgb("#b8b4a4"), "h": hexrgb("#fff6c8"), "F": hexrgb("#ffdc78"),
    "f": hexrgb("#f5c04a"), "d": hexrgb("#d89a2a"),
}


def draw_open_folder(size):
    """A tan folder, open towards the viewer, with a sheet of paper showing inside."""
    if size < 32:
        return pixel_art(FOLDER16, FOLDER16_COLOURS)
    s = float(size)
    pic = Picture(size, size)
    outline = hexrgb("#4a2e08")
    back = [(0.04, 0.14), (0.36, 0.14), (0.44, 0.24), (0.86, 0.24), (0.86, 0.86), (0.04, 0.86)]
    paper = [(0.14, 0.30), (0.78, 0.30), (0.78, 0.62), (0.14, 0.62)]
    front = [(0.22, 0.44), (0.98, 0.44), (0.84, 0.88), (0.04, 0.88)]

    def layer(points, colour):
        m = Mask.of(size, size, polygon(scaled(points, s)))
        pic.paint(m.dilated(1), outline)
        pic.paint(m, colour)
        return m

    layer(back, lambda x, y: ramp([(0, hexrgb("#e2ad4c")), (1, hexrgb("#a66e1c"))], y / s))
    layer(paper, hexrgb("#fbf8ec"))
    for k in range(3):
        y = int(0.38 * s) + 3 * k
        for x in range(int(0.22 * s), int(0.70 * s) - 3 * k):
            pic.set(x, y, hexrgb("#b8b4a4"))
    front_mask = layer(front, lambda x, y: ramp([(0, hexrgb("#ffe590")), (0.6, hexrgb("#f5c04a")),
                                                 (1, hexrgb("#d89a2a"))], (y / s - 0.44) / 0.44))
    # A highlight along the front's top edge gives it thickness.
    top = int(front[0][1] * s + 0.5)
    for x in range(size):
        i = top * size + x
        if front_mask.v[i] >= 0.5 and front_mask.v[i + size] >= 0.5:
            pic.set(x, top, hexrgb("#fff6c8"))
    return pic


# ----------------------------------------------------------------------------------------------
# Artwork: the title logo, shared by both banners
# ----------------------------------------------------------------------------------------------

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


# ----------------------------------------------------------------------------------------------
# Artwork: the main window's banner
# ----------------------------------------------------------------------------------------------

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


# ----------------------------------------------------------------------------------------------
# Artwork: the About window's banner
# ----------------------------------------------------------------------------------------------

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


# ----------------------------------------------------------------------------------------------
# Artwork: cursors
# ----------------------------------------------------------------------------------------------

# '#' black, 'o' white, 'r' red, anything else see-through. Hot spot: the fingertip's top at (2, 1).
HAND = [
    ".###.............",
    "#ooo#............",
    "#ooo#............",
    "#ooo#............",
    "#ooo#............",
    "#ooo#............",
    "#ooo####.........",
    "#ooo#ooo####.....",
    "#ooo#ooo#ooo#....",
    "#ooo#ooo#ooo####.",
    "#ooo#ooo#ooo#ooo#",
    "#ooo#ooo#ooo#ooo#",
    "#ooooooooooooooo#",
    "#ooooooooooooooo#",
    "#######ooooooooo#",
    "#oooooo#oooooooo#",
    "#oooooo#oooooooo#",
    "#ooooo#ooooooooo#",
    "#ooooooooooooooo#",
    "#ooooooooooooooo#",
    ".#ooooooooooooo#.",
    ".#ooooooooooooo#.",
    "..#ooooooooooo#..",
    "..#############..",
    "..#ooooooooooo#..",
    "..#ooooooooooo#..",
    "..#############..",
]

EXCLAIM = [
    ".###.",
    "#rrr#",
    "#rrr#",
    "#rrr#",
    "#rrr#",
    ".#r#.",
    ".#r#.",
    "..#..",
    ".....",
    ".###.",
    "#rrr#",
    "#rrr#",
    ".###.",
]

CURSOR_PALETTE = [  # the sixteen colours every 4-bit cursor here uses
    hexrgb("#000000"), hexrgb("#ffffff"), hexrgb("#e01818"), hexrgb("#8a0c0c"),
    hexrgb("#ffe48a"), hexrgb("#e0a830"), hexrgb("#9a6410"), hexrgb("#5a5a5a"),
    hexrgb("#2a2a2a"), hexrgb("#c8c8c8"), hexrgb("#d03020"), hexrgb("#8a1a10"),
    hexrgb("#4a0c06"), hexrgb("#f08060"), hexrgb("#808080"), hexrgb("#404040"),
]
PIXEL_ART = {"#": 0, "o": 1, "r": 2}


def stamp(grid, art, ox, oy):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch in PIXEL_ART:
                grid[(oy + y) * 32 + ox + x] = PIXEL_ART[ch]


def draw_hand(exclaim):
    """Palette indices (None for see-through) of the pointing hand, optionally with a red '!'."""
    grid = [None] * (32 * 32)
    stamp(grid, HAND, 0, 0)
    if exclaim:
        stamp(grid, EXCLAIM, 20, 18)
    return grid


def draw_pen():
    """A fountain pen lying from the bottom right up to its nib at the hot spot (4, 5): gold nib
    with its slit, black grip, a gold band and a red barrel lit from the upper left."""
    grid = [None] * (32 * 32)
    tx, ty = 4.5, 5.5
    k = 1.0 / math.sqrt(2.0)
    inked = {}
    for y in range(32):
        for x in range(32):
            dx, dy = x + 0.5 - tx, y + 0.5 - ty
            u = (dx + dy) * k          # along the pen, from the tip
            v = (dx - dy) * k          # across it; negative is the upper-right flank
            if u < -0.3 or u > 30.0:
                continue
            if u < 8.0:
                half = 0.55 + u * 0.33
            elif u < 27.5:
                half = 3.3
            else:
                e = (u - 27.5) / 2.6
                half = 3.3 * math.sqrt(max(0.0, 1.0 - e * e))
            if abs(v) > half:
                continue
            side = v / half
            if u < 8.0:
                if abs(v) < 0.5 and 1.5 < u < 6.0:
                    c = 6
                elif 6.0 <= u < 7.2 and abs(v) < 0.9:
                    c = 6
                else:
                    c = 4 if side > 0.25 else 5
            elif u < 11.0:
                c = 15 if side > 0.4 else 8
            elif u < 12.5:
                c = 4 if side > 0.0 else 5
            else:
                c = 13 if side > 0.5 else 10 if side > -0.4 else 11 if side > -0.8 else 12
            inked[(x, y)] = c
    # Outline every inked pixel, except beyond the tip, which must stay a single point.
    for (x, y), c in inked.items():
        grid[y * 32 + x] = c
    for (x, y) in list(inked):
        for ddx in (-1, 0, 1):
            for ddy in (-1, 0, 1):
                nx, ny = x + ddx, y + ddy
                if (nx, ny) in inked or not (0 <= nx < 32 and 0 <= ny < 32):
                    continue
                if (nx + 0.5 - tx + ny + 0.5 - ty) * k < 0.8:
                    continue
                grid[ny * 32 + nx] = 0
    grid[5 * 32 + 4] = 0
    return grid


def cursor_image(grid, bpp):
    keep = [c is not None for c in grid]
    indices = [c if c is not None else 0 for c in grid]
    palette = CURSOR_PALETTE[: 1 << bpp] if bpp == 4 else [(0, 0, 0), (255, 255, 255)]
    return {"w": 32, "h": 32, "bpp": bpp, "colours": 1 << bpp,
            "data": icon_image(32, 32, indices, palette, keep, bpp)}


# ----------------------------------------------------------------------------------------------
# The About window's movie
# ----------------------------------------------------------------------------------------------


MOVIE_W, MOVIE_H, MOVIE_FRAMES, MOVIE_RATE = 267, 49, 36, 12


def make_movie():
    """The studio's name in gold on dark red-brown, a glint running through the letters, sparks
    sliding along two rules and a diamond pulsing at each end; three seconds, looped."""
    tw = 20  # twips per pixel
    W, H = MOVIE_W * tw, MOVIE_H * tw
    big, small = 4 * tw, 2 * tw
    text_w = (text_width(SMALL_FONT, "TESSEL") * big + 8 * tw
              + text_width(SMALL_FONT, "STUDIO") * small)
    x0 = (W - text_w) // 2
    y0 = 10 * tw
    letters = (glyph_paths(SMALL_FONT, "TESSEL", x0, y0, big)
               + glyph_paths(SMALL_FONT, "STUDIO", x0 + text_width(SMALL_FONT, "TESSEL") * big
                             + 8 * tw, y0 + 14 * tw, small))
    glint = [(-6 * tw, 0), (6 * tw, 0), (-4 * tw, H), (-16 * tw, H)]
    diamond = [(0, -5 * tw), (5 * tw, 0), (0, 5 * tw), (-5 * tw, 0)]
    rule = [(0, 0), (W - 40 * tw, 0), (W - 40 * tw, tw), (0, tw)]
    spark = [(0, 0), (24 * tw, 0), (24 * tw, tw), (0, tw)]

    tags = [swf_background(hexrgb("#3a1208"))]
    tags.append(swf_shape(1, letters, hexrgb("#f0b030")))
    tags.append(swf_shape(2, [glint], (255, 250, 220), alpha=170))
    tags.append(swf_shape(3, [diamond], hexrgb("#ffcf5a")))
    tags.append(swf_shape(4, [rule], hexrgb("#8a3a10")))
    tags.append(swf_shape(5, [spark], (255, 214, 120), alpha=230))

    rule_x = 20 * tw
    top_y, bottom_y = 4 * tw, H - 5 * tw
    left_d, right_d = (12 * tw, H // 2), (W - 12 * tw, H // 2)
    n = MOVIE_FRAMES
    sweep = 24

    def glint_x(f):
        return -30 * tw + (W + 60 * tw) * min(f, sweep) // sweep

    def pulse(f):
        t = f / n
        tri = 1.0 - abs(2.0 * t - 1.0)
        return 0.7 + 0.45 * smooth(tri)

    def spark_x(f, reverse):
        span = W - 40 * tw - 24 * tw
        p = span * f // (n - 1)
        return rule_x + (span - p if reverse else p)

    tags += [
        swf_place(1, swf_matrix(rule_x, top_y), 4),
        swf_place(2, swf_matrix(rule_x, bottom_y), 4),
        swf_place(3, swf_matrix(0, 0), 1),
        swf_place(4, swf_matrix(0, 0), 1, clip_depth=5),
        swf_place(5, swf_matrix(glint_x(0), 0), 2),
        swf_place(6, swf_matrix(*left_d, scale=(pulse(0), pulse(0))), 3),
        swf_place(7, swf_matrix(*right_d, scale=(pulse(0), pulse(0))), 3),
        swf_place(8, swf_matrix(spark_x(0, False), top_y), 5),
        swf_place(9, swf_matrix(spark_x(0, True), bottom_y), 5),
        swf_show_frame(),
    ]
    for f in range(1, n):
        if f <= sweep:
            tags.append(swf_place(5, swf_matrix(glint_x(f), 0)))
        s = pulse(f)
        tags.append(swf_place(6, swf_matrix(*left_d, scale=(s, s))))
        tags.append(swf_place(7, swf_matrix(*right_d, scale=(s, s))))
        tags.append(swf_place(8, swf_matrix(spark_x(f, False), top_y)))
        tags.append(swf_place(9, swf_matrix(spark_x(f, True), bottom_y)))
        tags.append(swf_show_frame())
    return swf_file(W, H, MOVIE_RATE, tags)


# ----------------------------------------------------------------------------------------------
# The read-me
# ----------------------------------------------------------------------------------------------

README_SOURCE = ASSETS / "readme.source.txt"


def readme_text(system):
    """The read-me for one system from its one source text (UTF-8, LF): lines between a
    "[windows]" or "[linux]" line and the next "[end]" belong to that system alone."""
    lines, only = [], None
    for line in README_SOURCE.read_text(encoding="utf-8").splitlines(keepends=True):
        marker = line.strip()
        if marker in ("[windows]", "[linux]"):
            only = marker[1:-1]
        elif marker == "[end]":
            only = None
        elif only in (None, system):
            lines.append(line)
    return "".join(lines)


def make_readme():
    """Windows: GBK with CR LF, as Notepad of a Chinese system reads it."""
    return readme_text("windows").replace("\n", "\r\n").encode("gbk")


def make_linux_readme():
    """Linux: UTF-8 with LF."""
    return readme_text("linux").encode("utf-8")


# ----------------------------------------------------------------------------------------------
# Building every file
# ----------------------------------------------------------------------------------------------


def build():
    """{file name: bytes} for everything in assets/ that this script owns."""
    files = {}
    files["emblem.ico"] = write_icon_file(1, [icon_from_picture(draw_emblem(32)),
                                              icon_from_picture(draw_emblem(16))])
    files["open_folder.ico"] = write_icon_file(1, [icon_from_picture(draw_open_folder(32)),
                                                   icon_from_picture(draw_open_folder(16))])
    # Both banners in 256 colours of their own, run-length encoded: a fraction of the bytes,
    # and no colour is more than a step or two off.
    for name, w, h, picture in (("banner.bmp", BANNER_W, BANNER_H, draw_banner()),
                                ("about_banner.bmp", ABOUT_W, ABOUT_H, draw_about_banner())):
        pixels = picture.pixels()
        palette = adaptive_palette(pixels, 256)
        files[name] = write_bmp(w, h, to_indexed(pixels, palette), 8, palette, rle=True)
    hand = cursor_image(draw_hand(False), 1)
    hand["hotspot"] = (2, 1)
    files["hand.cur"] = write_icon_file(2, [hand])
    exclaim = cursor_image(draw_hand(True), 4)
    exclaim["hotspot"] = (2, 1)
    files["hand_exclaim.cur"] = write_icon_file(2, [exclaim])
    pen = cursor_image(draw_pen(), 4)
    pen["hotspot"] = (4, 5)
    files["pen.cur"] = write_icon_file(2, [pen])
    files["readme.txt"] = make_readme()
    files["readme-linux.txt"] = make_linux_readme()
    files["tessel.swf"] = make_movie()
    return files


# ----------------------------------------------------------------------------------------------
# Reading the files back
# ----------------------------------------------------------------------------------------------


def check_readme(data):
    expect(not data.startswith(b"\xef\xbb\xbf"), "read-me starts with a byte-order mark")
    text = data.decode("gbk")
    expect("\n" not in text.replace("\r\n", ""), "a line end that is not CR LF")
    expect("\r" not in text.replace("\r\n", ""), "a lone CR")
    return text.count("\r\n")


def self_check(files):
    """Reads every file back; returns one line per file for the report."""
    lines = []
    for name, data in files.items():
        try:
            if name.endswith(".bmp"):
                (w, h, bpp, _, _), = read_bmp(data)
                want = {"banner.bmp": (342, 112, 8), "about_banner.bmp": (267, 45, 8)}[name]
                expect((w, h, bpp) == want, f"{w}x{h}x{bpp}, expected {want}")
                info = f"{w}x{h}, {bpp} bpp"
            elif name.endswith(".ico"):
                images = read_icon_file(data, 1)
                expect([(w, h, b) for w, h, b, _, _ in images] == [(32, 32, 8), (16, 16, 8)],
                       "icon sizes")
                info = ", ".join(f"{w}x{h} {b} bpp" for w, h, b, _, _ in images)
            elif name.endswith(".cur"):
                images = read_icon_file(data, 2)
                expect(len(images) == 1 and images[0][:2] == (32, 32), "cursor size")
                w, h, b, pixels, hot = images[0]
                want = (4, 5) if name == "pen.cur" else (2, 1)
                expect(hot == want, f"hot spot {hot}, expected {want}")
                expect(pixels[hot[1] * w + hot[0]][3] == 255, "hot spot is see-through")
                info = f"{w}x{h} {b} bpp, hot spot {hot}"
            elif name.endswith(".swf"):
                m = read_swf(data)
                info = (f"version {m['version']}, {m['frame'][1] // 20}x{m['frame'][3] // 20} px, "
                        f"{m['rate']:g} fps, {m['frames']} frames, {m['tags']} tags")
            elif name == "readme-linux.txt":
                text = data.decode("utf-8")
                expect("\r" not in text, "a CR in the Linux read-me")
                info = f"{text.count(chr(10))} lines, UTF-8, LF"
            else:
                info = f"{check_readme(data)} lines, GBK, CR LF"
        except (Bad, struct.error, IndexError, UnicodeDecodeError) as e:
            raise SystemExit(f"make-assets: {name} does not read back: {e}")
        lines.append(f"{name:18} {len(data):6} bytes  {info}")
    return lines


def write_previews(files, folder):
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        stem = name.rsplit(".", 1)[0]
        if name.endswith(".bmp"):
            images, zoom = read_bmp(data), 3
        elif name.endswith((".ico", ".cur")):
            images, zoom = read_icon_file(data, 1 if name.endswith(".ico") else 2), 12
        else:
            continue
        for w, h, _, pixels, _ in images:
            suffix = f"-{w}" if name.endswith(".ico") else ""
            (folder / f"{stem}{suffix}.png").write_bytes(write_png(w, h, pixels, zoom))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="rebuild in a temporary folder and compare with assets/")
    parser.add_argument("--preview", type=Path, metavar="DIR",
                        help="also write enlarged PNG previews into DIR")
    args = parser.parse_args()

    files = build()
    report = self_check(files)
    if args.preview:
        write_previews(files, args.preview)

    if args.check:
        with tempfile.TemporaryDirectory() as tmp:
            for name, data in files.items():
                (Path(tmp) / name).write_bytes(data)
            differ = [name for name in files
                      if not (ASSETS / name).is_file()
                      or (ASSETS / name).read_bytes() != (Path(tmp) / name).read_bytes()]
        if differ:
            print("make-assets: these files differ from what the script makes: "
                  + ", ".join(differ), file=sys.stderr)
            print("Run scripts/make-assets.py and commit the result.", file=sys.stderr)
            return 1
        print(f"make-assets: all {len(files)} files in assets/ match")
        return 0

    ASSETS.mkdir(exist_ok=True)
    for name, data in files.items():
        (ASSETS / name).write_bytes(data)
    print("\n".join(report))
    return 0


if __name__ == "__main__":
    sys.exit(main())
